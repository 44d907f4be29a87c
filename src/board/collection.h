// Puzzle files as the other solvers exchange them: one puzzle a line, or a
// puzzle laid out as nine lines of nine cells with blanks, |, - and + between;
// and what a file opened with 開く (or numplace-cli) holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/input_error.h"

namespace numplace {

// The puzzles of a text (UTF-8), each as 81 characters ('1'..'9', '.' for
// an empty cell), in the order they stand. A line gives a puzzle when it
// starts with 81 cells (0 or . for an empty one) with only blanks, |, - and
// + between them; anything after the 81st cell and a blank is ignored (a
// rating, a name). Nine lines of nine cells each, with lines of only
// separators or only white space between them, give one puzzle. Lines whose
// first character other than white space is # are skipped.
std::vector<std::string> puzzlesInText(std::string_view text);

// The first line of a file of the user's progress: the givens and the
// user's own entries of one puzzle, kept apart.
//   numplace-progress 1
//   givens 530070000600195000098000060800060003400803001700020006060000280000419005000080079
//   entries 000000000000000000000000000000000000000000000000000000000000000000000000000000000
inline constexpr std::string_view kProgressHeader = "numplace-progress 1";

// The text of a progress file: the givens and the entries, 81 cells each (0 empty).
std::string progressText(std::string_view givens, std::string_view entries);

// What a file holds.
struct OpenedFile {
  enum class Kind { DataFile, Collection, Progress, Unusable };
  // Why a file is Unusable.
  enum class Fault {
    None,
    CannotOpen,   // missing, a folder, or not allowed
    NotRegular,   // a pipe, a device or a socket
    TooLarge,     // above kLargestFile
    CannotRead,   // reading it failed
    BadDataFile,  // it has commas but the data-file reader refuses it, and it holds no puzzle
    BadProgress,  // it starts as a progress file but lacks its givens or entries
    NoPuzzles     // neither a data file nor a collection
  };
  Kind kind = Kind::Unusable;
  std::vector<std::string> puzzles;         // with Collection, as puzzlesInText gives them;
                                            // with Progress, the givens and the entries
  std::string content;                      // with DataFile: the file's bytes
  Fault fault = Fault::None;                // with Unusable
  std::optional<InputError> dataFileError;  // with BadDataFile: what the data-file reader found
  std::string name;                         // the file's name without its folders, for the message
};

// A data file of this program (commas between its fields, read without
// error) or a collection of puzzles; else why it is neither. The file is
// read through readRegularFile: a regular file of at most kLargestFile.
OpenedFile readOpenedFile(const std::string &path);

// The same for bytes already read, `name` labelling the messages. A UTF-8
// byte order mark at the start is passed over.
OpenedFile openedFileOf(std::string_view content, std::string_view name);

// Why an Unusable file cannot be used, in Japanese, as the window shows it.
std::string openedFileText(const OpenedFile &opened);

}  // namespace numplace
