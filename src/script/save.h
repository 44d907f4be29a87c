// Keeping a puzzle: the puzzle that the next analysis run would read,
// written as a data file that the runs read back to the same puzzle.
#pragma once

#include <optional>
#include <string>

#include "board/ports.h"
#include "runs/result.h"

namespace numplace {

// The puzzle the next analysis run reads: the grid, else the row boxes, else
// the data file named in Text3, with the extra givens of Text1 and Text2
// laid as the runs lay them. The message a run would show when it cannot.
struct GivensRead {
  Grid givens{};
  std::optional<std::string> error;
};
GivensRead readGivens(const Controls &controls, const FileReader &files);

// A data file of nine records "DIGITS,ROW,"numplace",0,0", one per line: the
// row's nine digits, 0 for an empty cell.
std::string dataFileText(const Grid &givens);

// Writes the puzzle the next run reads to `path` as a data file; the message
// when the puzzle cannot be read or the file cannot be written.
std::optional<std::string> savePuzzle(const Controls &controls, const FileReader &files, const std::string &path);

}  // namespace numplace
