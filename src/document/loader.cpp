#include "document/loader.h"

#include "board/files.h"
#include "board/layout.h"

namespace numplace {
namespace {

Grid givensOf(const PuzzleDocument &document, const Controls &controls) {
  return document.state().givensFixed ? document.state().givens : gridOfBoxes(controls);
}

}  // namespace

Hint documentHint(const PuzzleDocument &document, const Controls &controls, int level) {
  return hintFor(givensOf(document, controls), document.entries(controls), level);
}

EntriesCheck documentEntries(const PuzzleDocument &document, const Controls &controls) {
  return checkEntries(givensOf(document, controls), document.entries(controls));
}

void DocumentLoader::hint(int level) {
  lastHint_ = documentHint(document_, controls_, level);
  const Hint &h = *lastHint_;
  // Level 3 is the placement itself, written as the user's entry.
  if (h.level == 3 && h.digit && h.cells.size() == 1 &&
      (h.kind == HintKind::Placement || h.kind == HintKind::SolutionCell)) {
    const CellRef cell = h.cells.front();
    controls_.setText(controls::Text15(cellIndex(cell.row, cell.column)), std::to_string(*h.digit));
    document_.edited();
  }
}

std::optional<std::string> DocumentLoader::saveProgress(const std::string &path) {
  if (!document_.state().givensFixed) document_.fixGrid(controls_);
  if (const auto failure = replaceFile(path, document_.progress(controls_))) return writeFailureText(path, *failure);
  document_.saved();
  return std::nullopt;
}

}  // namespace numplace
