#include "cli/path.h"

#include <nlohmann/json.hpp>
#include <vector>

#include "cli/check_output.h"
#include "cli/summary.h"
#include "runs/common.h"
#include "runs/runs.h"

namespace numplace {

namespace {

using OrderedJson = nlohmann::ordered_json;

OrderedJson cellJson(const CellRef &c) { return OrderedJson::array({c.row, c.column}); }

void setDocumentFields(OrderedJson &j, const DocumentFields &document) {
  OrderedJson &source = j["source"];
  if (document.collection != nullptr) {
    OrderedJson collection = OrderedJson::object();
    collection["file"] = document.collection->file;
    collection["index"] = document.collection->index;
    collection["count"] = document.collection->count;
    source["collection"] = std::move(collection);
  } else {
    source["collection"] = nullptr;
  }
  OrderedJson extras = OrderedJson::array();
  OrderedJson warnings = OrderedJson::array();
  if (document.beyond != nullptr) {
    for (const ExtraGivenNote &note : document.beyond->extras) {
      OrderedJson o = OrderedJson::object();
      o["box"] = controlLabel(note.box);
      o["text"] = note.text;
      const bool onBoard = note.effect != ExtraGivenNote::Effect::OutOfRange;
      if (onBoard) {
        o["row"] = note.row;
        o["column"] = note.column;
        o["digit"] = note.digit;
      } else {
        o["row"] = o["column"] = o["digit"] = nullptr;
      }
      o["effect"] = effectName(note.effect);
      o["written_by_answer"] = note.writtenByAnswer;
      extras.push_back(std::move(o));
    }
    for (const CellWarning &warning : document.beyond->warnings) {
      OrderedJson o = OrderedJson::object();
      o["box"] = controlLabel(warning.box);
      o["text"] = warning.text;
      o["why"] = warningName(warning.why);
      warnings.push_back(std::move(o));
    }
  }
  j["extra_givens"] = std::move(extras);
  j["cell_warnings"] = std::move(warnings);
}

void setCheckFields(OrderedJson &j, const PuzzleReport &report, bool withGrade) {
  OrderedJson &source = j["source"];
  source = OrderedJson::object();
  source["kind"] = sourceKindName(report.source.kind);
  if (report.source.kind == SourceKind::File) {
    source["file"] = report.source.file;
  } else {
    source["file"] = nullptr;
  }
  source["grid_passed_over"] = report.source.gridPassedOver;
  OrderedJson &check = j["check"];
  if (report.badInput) {
    check = nullptr;
  } else {
    const CheckResult &c = report.check;
    check = OrderedJson::object();
    check["solutions"] = c.solutions;
    if (c.solutions == 1 && c.solution) {
      check["solution"] = gridText(*c.solution);
    } else {
      check["solution"] = nullptr;
    }
    OrderedJson clashes = OrderedJson::array();
    for (const Clash &k : c.clashes) {
      OrderedJson o = OrderedJson::object();
      o["cells"] = OrderedJson::array({cellJson(k.cells[0]), cellJson(k.cells[1])});
      o["digit"] = k.digit;
      o["unit"] = unitName(k.unit);
      clashes.push_back(std::move(o));
    }
    check["clashes"] = std::move(clashes);
    OrderedJson differ = OrderedJson::array();
    for (const CellRef &cell : c.differ) differ.push_back(cellJson(cell));
    check["differ"] = std::move(differ);
  }
  if (!withGrade) return;
  OrderedJson &grade = j["grade"];
  if (report.grade) {
    const Grade &g = *report.grade;
    grade = OrderedJson::object();
    grade["level"] = g.level;
    grade["name"] = g.name;
    grade["english"] = g.english;
    grade["score"] = g.score;
  } else {
    grade = nullptr;
  }
}

}  // namespace

void appendCheckJson(std::string &out, const PuzzleReport &report, bool withGrade, long line, std::string_view puzzle,
                     const DocumentFields *document) {
  OrderedJson j = OrderedJson::object();
  if (line > 0) {
    j["line"] = line;
    j["puzzle"] = puzzle;
  }
  setCheckFields(j, report, withGrade);
  if (document != nullptr) setDocumentFields(j, *document);
  out += j.dump(-1, ' ', false, OrderedJson::error_handler_t::replace);
}

// The storage of the objects written: the document, and placement objects
// kept for longer paths to come.
struct PathJsonWriter::Document {
  using Json = nlohmann::ordered_json;
  explicit Document(bool batch) : batchLines(batch) {}

  bool batchLines;
  Json json;  // ordered_json keeps the fields in the documented order
  std::vector<Json> spare;

  // A string value written into the string already there.
  static void setString(Json &value, std::string_view text) {
    if (value.is_string()) {
      value.get_ref<std::string &>().assign(text);
    } else {
      value = std::string(text);
    }
  }
  static void setOptional(Json &value, const std::optional<int> &number) {
    if (number) {
      value = *number;
    } else {
      value = nullptr;
    }
  }

  // The placements array with `n` objects, taken from the spares first.
  Json::array_t &placements(std::size_t n) {
    Json &field = json["placements"];
    if (!field.is_array()) field = Json::array();
    auto &array = field.get_ref<Json::array_t &>();
    while (array.size() > n) {
      spare.push_back(std::move(array.back()));
      array.pop_back();
    }
    while (array.size() < n) {
      if (spare.empty()) {
        array.emplace_back(Json::object());
      } else {
        array.push_back(std::move(spare.back()));
        spare.pop_back();
      }
    }
    return array;
  }
};

PathJsonWriter::PathJsonWriter(bool batchLines) : document_(std::make_unique<Document>(batchLines)) {}

PathJsonWriter::~PathJsonWriter() = default;

void PathJsonWriter::append(std::string &out, const RunResult &result, const BatchFields &batch,
                            const PuzzleReport *report, const DocumentFields *document) {
  Document &d = *document_;
  Document::Json &j = d.json;
  // The first object sets the order of the fields; later ones find them in place.
  if (d.batchLines) j["line"] = batch.line;
  Document::setString(j["button"], buttonNameOf(result.run));
  if (d.batchLines) {
    Document::setString(j["board"], batch.board);
    Document::setString(j["status"], batch.status);
  } else {
    Document::setString(j["board"], pathBoard(result));
  }
  Document::setString(j["end"], endName(result.end));
  if (result.end == RunEnd::BadInput) {
    Document::setString(j["message"], result.message);
  } else {
    j["message"] = nullptr;
  }
  Document::setOptional(j["trial"], result.trialCode);
  j["passes"] = result.passes;
  // The answer run counts its steps afresh in every pass.
  Document::setString(j["numbering"], result.run == RunKind::Answer ? "pass" : "run");
  const std::span<const PlacementRecord> path = pathPlacements(result);
  Document::Json::array_t &placements = d.placements(path.size());
  for (std::size_t i = 0; i < path.size(); ++i) {
    const PlacementRecord &p = path[i];
    Document::Json &o = placements[i];
    o["step"] = p.step;
    o["row"] = p.row;
    o["column"] = p.column;
    o["digit"] = p.digit;
    Document::setString(o["word"], p.word);
    const std::optional<Technique> technique = techniqueOf(p.word);
    if (technique) {
      Document::setString(o["technique"], technique->english);
    } else {
      o["technique"] = nullptr;
    }
    o["pass"] = p.pass;
  }
  if (report != nullptr) setCheckFields(j, *report, true);
  if (report != nullptr && document != nullptr) setDocumentFields(j, *document);
  // A message can hold a file name in any bytes; the JSON stays valid UTF-8.
  out += j.dump(-1, ' ', false, Document::Json::error_handler_t::replace);
}

}  // namespace numplace
