// Keeping a puzzle: the puzzle that the next analysis run would read,
// written as a data file that the runs read back to the same puzzle.
#pragma once

#include <optional>
#include <string>

#include "board/files.h"
#include "board/ports.h"
#include "runs/result.h"

namespace numplace {

// A data file of nine records "DIGITS,ROW,"numplace",0,0", one per line: the
// row's nine digits, 0 for an empty cell.
std::string dataFileText(const Grid &givens);

// Writes the puzzle the next run reads (readNextPuzzle's givens: the source
// the runs would read, the extra givens laid) to `path` as a data file,
// through replaceFile, so that a failed save leaves the old file whole; the
// message when the puzzle cannot be read or the file cannot be written.
std::optional<std::string> savePuzzle(const Controls &controls, const FileReader &files, const std::string &path,
                                      const WriteCalls &calls = WriteCalls());

}  // namespace numplace
