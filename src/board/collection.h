// Puzzle files as the other solvers exchange them: one puzzle a line, or a
// puzzle laid out as nine lines of nine cells with blanks, |, - and + between.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace numplace {

// The puzzles of a text, each as 81 characters ('1'..'9', '.' for an empty
// cell), in the order they stand. A line gives a puzzle when it starts with
// 81 cells (0 or . for an empty one) with only blanks, |, - and + between
// them; anything after the 81st cell and a blank is ignored (a rating, a
// name). Nine lines of nine cells each, with lines of only separators
// between them, give one puzzle. Lines starting with # are skipped.
std::vector<std::string> puzzlesInText(std::string_view text);

// What a file chosen with 開く holds.
struct OpenedFile {
  enum class Kind { DataFile, Collection, Unusable };
  Kind kind = Kind::Unusable;
  std::vector<std::string> puzzles;  // with Collection
  std::string content;               // with DataFile: the file's bytes
  std::string error;                 // with Unusable: why, in Japanese
};

// A data file of this program (commas between its fields, read without
// error) or a collection of puzzles; else why it is neither.
OpenedFile readOpenedFile(const std::string &path);

}  // namespace numplace
