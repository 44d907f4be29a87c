#include "script/save.h"

#include "board/files.h"
#include "board/input_error.h"
#include "check/check.h"

namespace numplace {

std::string dataFileText(const Grid &givens) {
  std::string out;
  for (std::size_t r = 0; r < 9; ++r) {
    for (std::size_t c = 0; c < 9; ++c) out += static_cast<char>('0' + givens[r * 9 + c]);
    out += "," + std::to_string(r + 1) + ",\"numplace\",0,0\n";
  }
  return out;
}

std::optional<std::string> savePuzzle(const Controls &controls, const FileReader &files, const std::string &path,
                                      const WriteCalls &calls) {
  const PuzzleRead read = readNextPuzzle(controls, files);
  if (read.badInput) return inputErrorText(*read.badInput);
  if (const auto failure = replaceFile(path, dataFileText(read.givens), calls)) {
    return writeFailureText(path, *failure);
  }
  return std::nullopt;
}

}  // namespace numplace
