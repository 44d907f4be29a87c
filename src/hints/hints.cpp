#include "hints/hints.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "board/files.h"
#include "board/layout.h"
#include "board/tables.h"
#include "runs/runs.h"
#include "script/explanation.h"
#include "script/headless.h"

namespace numplace {
namespace {

// The data file that holds the position for the run that passes over the
// grid (see typePosition).
constexpr std::string_view kPositionFile = "position.csv";

// Grids as this code reads them: a value above 9 is no digit.
Grid digitsOnly(const Grid &grid) {
  Grid out = grid;
  for (std::uint8_t &d : out) {
    if (d > 9) d = 0;
  }
  return out;
}

CellRef cellAt(std::size_t i) { return {static_cast<int>(i / 9) + 1, static_cast<int>(i % 9) + 1}; }

std::size_t indexOf(const CellRef &c) {
  return static_cast<std::size_t>(c.row - 1) * 9 + static_cast<std::size_t>(c.column - 1);
}

std::string cellName(const CellRef &c) { return std::to_string(c.row) + "行" + std::to_string(c.column) + "列"; }

// Ends the step run once its result holds a placement: the run asks at
// every visible change, and right after each placement.
struct FirstPlacementMade {};

class UntilFirstPlacement final : public Prompt {
 public:
  explicit UntilFirstPlacement(const RunResult &result) : result_(result) {}
  std::optional<std::string> ask(const PromptRequest & /*request*/) override {
    if (!result_.placements.empty()) throw FirstPlacementMade{};
    return "1";  // go on one step
  }

 private:
  const RunResult &result_;
};

// The position typed into the grid as a user would. The run passes over a
// grid with three or more empty rows, and then over the row boxes too, which
// would have the same empty rows; so the position also stands in a data file
// named in Text3, the source the run reads last.
void typePosition(const Grid &position, HeadlessControls &controls, MemoryFiles &files) {
  std::string file;
  for (int r = 1; r <= 9; ++r) {
    std::string row;
    for (int c = 1; c <= 9; ++c) {
      const char digit = static_cast<char>('0' + position[indexOf({r, c})]);
      row += digit;
      if (digit != '0') controls.type(controls::Text15(cellIndex(r, c)), std::string(1, digit));
    }
    file += row + "," + std::to_string(r) + ",\"numplace\",0,0\n";
  }
  controls.type(controls::Text1, "");
  controls.type(controls::Text2, "");
  controls.type(controls::Text3, kPositionFile);
  files.put(std::string(kPositionFile), std::move(file));
}

// The unit the step run's technique looked at; a naked single looks at the
// cell itself, which would give the cell away, so its block stands for it.
HintUnit unitOfPlacement(const PlacementRecord &p, const std::optional<Technique> &technique) {
  switch (technique ? technique->lookedAt : LookedAt::Cell) {
    case LookedAt::Row:
      return {UnitKind::Row, p.row};
    case LookedAt::Column:
      return {UnitKind::Column, p.column};
    case LookedAt::Block:
    case LookedAt::Cell:
      break;
  }
  return {UnitKind::Block, blockOf(p.row, p.column)};
}

std::string placementText(const Hint &h, const PlacementRecord &p, bool nakedSingle) {
  const std::string word = "（" + std::string(h.word) + "）";
  const std::string unit = unitText(*h.unit);
  const std::string digit = std::to_string(p.digit);
  if (h.level >= 3) return cellName({p.row, p.column}) + "に" + digit + word;
  if (nakedSingle) {
    return h.level == 1 ? unit + " に候補が1つだけのマスがあります" + word
                        : unit + " の候補が1つだけのマスに " + digit + " が入ります" + word;
  }
  return h.level == 1 ? unit + " を見てください" + word : unit + " に " + digit + " が入ります" + word;
}

void setPlacement(Hint &h, const PlacementRecord &p) {
  const std::optional<Technique> technique = techniqueOf(p.word);
  h.kind = HintKind::Placement;
  h.unit = unitOfPlacement(p, technique);
  h.word = p.word;
  if (technique) h.technique = technique->english;
  if (h.level >= 3) {
    h.cells = {{p.row, p.column}};
  } else {
    h.cells = unitCells(*h.unit);
  }
  if (h.level >= 2) h.digit = p.digit;
  h.text = placementText(h, p, !technique || technique->lookedAt == LookedAt::Cell);
}

void setSolutionCell(Hint &h, const FewestCandidates &fewest, int digit) {
  h.kind = HintKind::SolutionCell;
  h.cells = {fewest.cell};
  h.candidates = fewest.candidates;
  h.text = "この手順の技では次の一手が見つかりません。";
  if (h.level >= 2) {
    h.digit = digit;
    h.text += "解から一つ：" + cellName(fewest.cell) + "に" + std::to_string(digit);
  } else {
    h.text += "候補が一番少ないのは" + cellName(fewest.cell) + "（" + std::to_string(fewest.candidates) + "つ）です";
  }
}

void setNone(Hint &h, NoHintReason reason, const CheckResult &check) {
  h.kind = HintKind::None;
  h.reason = reason;
  switch (reason) {
    case NoHintReason::Complete:
      h.text = "全部のマスが正しく埋まっています";
      break;
    case NoHintReason::Clash: {
      const Clash &k = check.clashes.front();
      const std::string_view where = k.unit == UnitKind::Row ? "行" : k.unit == UnitKind::Column ? "列" : "ブロック";
      h.text = "初期データの" + std::to_string(k.digit) + "が" + cellName(k.cells[0]) + "と" + cellName(k.cells[1]) +
               "の同じ" + std::string(where) + "にあり、解はありません";
      break;
    }
    case NoHintReason::NoSolution:
      h.text = "この問題には解がありません";
      break;
    case NoHintReason::Several:
      h.text = "解が2つ以上あるので、ヒントは出せません";
      break;
    case NoHintReason::Hinted:
      break;
  }
}

// The check of the givens and what it says of the entries.
struct Judged {
  CheckResult check;
  EntriesCheck entries;
  Grid position{};  // givens with the entries over them
};

Judged judge(const Grid &givens, const Grid &entries) {
  const Grid g = digitsOnly(givens);
  const Grid e = digitsOnly(entries);
  Judged out;
  out.check = checkGivens(g);
  EntriesCheck &ec = out.entries;
  ec.solutions = out.check.solutions;
  ec.clashes = out.check.clashes;
  ec.judged = out.check.solutions == 1 && out.check.solution.has_value();
  for (std::size_t i = 0; i < 81; ++i) {
    out.position[i] = e[i] != 0 ? e[i] : g[i];
    if (out.position[i] == 0) ++ec.empty;
    if (ec.judged && e[i] != 0 && e[i] != (*out.check.solution)[i]) ec.wrong.push_back({cellAt(i), e[i]});
  }
  ec.complete = ec.judged && ec.empty == 0 && ec.wrong.empty();
  return out;
}

}  // namespace

EntriesCheck checkEntries(const Grid &givens, const Grid &entries) { return judge(givens, entries).entries; }

Hint hintFor(const Grid &givens, const Grid &entries, int level) {
  const Judged j = judge(givens, entries);
  Hint h;
  h.level = std::clamp(level, 1, 3);
  h.solutions = j.check.solutions;
  if (!j.check.clashes.empty()) {
    setNone(h, NoHintReason::Clash, j.check);
    return h;
  }
  if (!j.entries.judged) {
    setNone(h, j.check.solutions == 0 ? NoHintReason::NoSolution : NoHintReason::Several, j.check);
    return h;
  }
  if (!j.entries.wrong.empty()) {
    const WrongEntry &w = j.entries.wrong.front();
    h.kind = HintKind::WrongEntry;
    h.cells = {w.cell};
    h.digit = w.digit;
    h.text = cellName(w.cell) + "の" + std::to_string(w.digit) + "は違います";
    return h;
  }
  if (j.entries.complete) {
    setNone(h, NoHintReason::Complete, j.check);
    return h;
  }
  if (const std::optional<PlacementRecord> p = firstStepPlacement(j.position)) {
    setPlacement(h, *p);
    return h;
  }
  // The entries are all right and a cell is empty, so there is one.
  const FewestCandidates fewest = *fewestCandidatesCell(j.position);
  setSolutionCell(h, fewest, (*j.check.solution)[indexOf(fewest.cell)]);
  return h;
}

std::optional<PlacementRecord> firstStepPlacement(const Grid &position) {
  HeadlessControls controls;
  MemoryFiles files;
  typePosition(digitsOnly(position), controls, files);
  RecordingSurface surface(false);
  RunResult result;
  UntilFirstPlacement prompt(result);
  Ports ports{controls, surface, prompt, files};
  try {
    runStep(ports, result);
  } catch (const FirstPlacementMade &) {
    // The run ended where its first placement was made.
  }
  if (result.placements.empty()) return std::nullopt;
  return result.placements.front();
}

std::optional<FewestCandidates> fewestCandidatesCell(const Grid &position) {
  const Grid p = digitsOnly(position);
  std::optional<FewestCandidates> best;
  for (std::size_t i = 0; i < 81; ++i) {
    if (p[i] != 0) continue;
    const CellRef cell = cellAt(i);
    unsigned seen = 0;
    for (std::size_t k = 0; k < 81; ++k) {
      const CellRef other = cellAt(k);
      const bool peer = other.row == cell.row || other.column == cell.column ||
                        blockOf(other.row, other.column) == blockOf(cell.row, cell.column);
      if (peer && p[k] != 0) seen |= 1u << p[k];
    }
    const int candidates = 9 - std::popcount(seen);
    if (!best || candidates < best->candidates) best = FewestCandidates{cell, candidates};
  }
  return best;
}

std::vector<CellRef> unitCells(const HintUnit &unit) {
  std::vector<CellRef> out;
  out.reserve(9);
  const int u = std::clamp(unit.index, 1, 9);
  for (int k = 1; k <= 9; ++k) {
    switch (unit.kind) {
      case UnitKind::Row:
        out.push_back({u, k});
        break;
      case UnitKind::Column:
        out.push_back({k, u});
        break;
      case UnitKind::Block:
        out.push_back({3 * ((u - 1) / 3) + (k - 1) / 3 + 1, 3 * ((u - 1) % 3) + (k - 1) % 3 + 1});
        break;
    }
  }
  return out;
}

std::string unitText(const HintUnit &unit) {
  const std::string n = std::to_string(unit.index);
  switch (unit.kind) {
    case UnitKind::Row:
      return n + "行";
    case UnitKind::Column:
      return n + "列";
    case UnitKind::Block:
      break;
  }
  return "ブロック" + n;
}

std::string_view hintKindName(HintKind kind) {
  switch (kind) {
    case HintKind::WrongEntry:
      return "wrong_entry";
    case HintKind::Placement:
      return "placement";
    case HintKind::SolutionCell:
      return "solution_cell";
    case HintKind::None:
      break;
  }
  return "none";
}

std::string_view noHintReasonName(NoHintReason reason) {
  switch (reason) {
    case NoHintReason::Complete:
      return "complete";
    case NoHintReason::NoSolution:
      return "no_solution";
    case NoHintReason::Clash:
      return "clash";
    case NoHintReason::Several:
      return "several";
    case NoHintReason::Hinted:
      break;
  }
  return "";
}

}  // namespace numplace
