#include "cli/entries_output.h"

#include <nlohmann/json.hpp>

#include "cli/check_output.h"

namespace numplace {
namespace {

using OrderedJson = nlohmann::ordered_json;

OrderedJson cellJson(const CellRef &c) { return OrderedJson::array({c.row, c.column}); }

std::string cellText(const CellRef &c) { return "r" + std::to_string(c.row) + "c" + std::to_string(c.column); }

OrderedJson textOrNull(std::string_view text) {
  if (text.empty()) return nullptr;
  return std::string(text);
}

// `"NAME":VALUE`, as the house writes its objects (one line, no blanks;
// bytes that are not UTF-8 replaced, so the output stays valid).
void appendField(std::string &out, std::string_view name, const OrderedJson &value) {
  out += OrderedJson(std::string(name)).dump();
  out += ':';
  out += value.dump(-1, ' ', false, OrderedJson::error_handler_t::replace);
}

}  // namespace

void appendEntriesField(std::string &out, const EntriesCheck &entries) {
  OrderedJson j = OrderedJson::object();
  if (entries.judged) {
    OrderedJson wrong = OrderedJson::array();
    for (const WrongEntry &w : entries.wrong) wrong.push_back(cellJson(w.cell));
    j["wrong"] = std::move(wrong);
  } else {
    j["wrong"] = nullptr;
  }
  j["empty"] = entries.empty;
  j["complete"] = entries.complete;
  j["judged"] = entries.judged;
  j["solutions"] = entries.solutions;
  appendField(out, "entries", j);
}

void appendHintField(std::string &out, const Hint &hint) {
  OrderedJson j = OrderedJson::object();
  j["level"] = hint.level;
  j["kind"] = hintKindName(hint.kind);
  OrderedJson cells = OrderedJson::array();
  for (const CellRef &c : hint.cells) cells.push_back(cellJson(c));
  j["cells"] = std::move(cells);
  if (hint.unit) {
    OrderedJson unit = OrderedJson::object();
    unit["kind"] = unitName(hint.unit->kind);
    unit["index"] = hint.unit->index;
    j["unit"] = std::move(unit);
  } else {
    j["unit"] = nullptr;
  }
  j["word"] = textOrNull(hint.word);
  j["technique"] = textOrNull(hint.technique);
  if (hint.digit) {
    j["digit"] = *hint.digit;
  } else {
    j["digit"] = nullptr;
  }
  j["reason"] = textOrNull(noHintReasonName(hint.reason));
  j["text"] = hint.text;
  appendField(out, "hint", j);
}

void addFields(std::string &object, std::string_view fields) {
  if (fields.empty()) return;
  const std::size_t close = object.rfind('}');
  if (close == std::string::npos) return;
  const std::size_t last = object.find_last_not_of(" \t\r\n", close == 0 ? std::string::npos : close - 1);
  const bool empty = last == std::string::npos || object[last] == '{';
  std::string insert = empty ? std::string(fields) : "," + std::string(fields);
  object.insert(close, insert);
}

void printEntries(std::ostream &out, const EntriesCheck &entries) {
  if (entries.judged) {
    out << "entries wrong";
    if (entries.wrong.empty()) out << " none";
    for (const WrongEntry &w : entries.wrong) out << ' ' << cellText(w.cell);
    out << '\n';
  } else {
    out << "entries unjudged solutions " << entries.solutions << '\n';
  }
  out << "entries empty " << entries.empty << '\n';
  if (entries.judged) out << "entries complete " << (entries.complete ? "yes" : "no") << '\n';
}

void printHint(std::ostream &out, const Hint &hint) {
  out << "hint " << hint.level << ' ' << hintKindName(hint.kind);
  switch (hint.kind) {
    case HintKind::Placement:
      if (hint.level >= 3 && !hint.cells.empty()) {
        out << ' ' << cellText(hint.cells.front());
      } else if (hint.unit) {
        out << ' ' << unitName(hint.unit->kind) << ' ' << hint.unit->index;
      }
      out << ' ' << hint.word;
      break;
    case HintKind::WrongEntry:
    case HintKind::SolutionCell:
      if (!hint.cells.empty()) out << ' ' << cellText(hint.cells.front());
      break;
    case HintKind::None:
      out << ' ' << noHintReasonName(hint.reason);
      break;
  }
  if (hint.digit) out << ' ' << *hint.digit;
  out << "\nhint text " << hint.text << '\n';
}

}  // namespace numplace
