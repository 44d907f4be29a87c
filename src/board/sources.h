// Where a puzzle comes from: the grid of cell boxes, else the nine row boxes,
// else the comma-separated data file named in Text3; and the two extra givens.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "board/contract.h"
#include "board/input_error.h"
#include "board/ports.h"
#include "board/puzzle_source.h"
#include "board/tables.h"

namespace numplace {

// One record of the data file: five free-format fields.
struct DataFileRecord {
  std::array<std::string, 5> fields;  // field text, quotes removed
  std::array<bool, 5> quoted{};
  std::array<FieldPlace, 5> places{};
};

struct DataFileResult {
  std::array<DataFileRecord, 10> records;  // 1..9
  int recordsRead = 0;                     // complete records found
  std::optional<InputError> error;         // why the content is unusable
};

// Reads nine records of five fields from the content of a data file. Fields
// are separated by commas or line breaks; a field is a number or a text in
// double quotes, blanks around it ignored. Anything after the ninth record is
// not read. `name` only labels the errors (InputError::file).
DataFileResult parseDataFile(std::string_view content, std::string_view name);

// Fills RowCodes(1..9) from the grid, else the row boxes, else the data file
// named in Text3, read through `files`. Returns why when the puzzle cannot
// be used (the file is missing or malformed, a row holds a number the board
// cannot take). `readFrom`, when given, learns which source was read (also
// when its content then proves unusable).
std::optional<InputError> readPuzzle(const Controls &controls, const FileReader &files, Tables &t,
                                     PuzzleSource *readFrom = nullptr);

// Text1 and Text2 read as row-column-digit codes, each in 0..999. Made only
// by checkExtraGivens (or as two empty boxes, 0 and 0, which lay nothing),
// so the codes a run lays were checked once, where it started.
class ExtraGivens {
 public:
  ExtraGivens() = default;
  double first() const { return first_; }
  double second() const { return second_; }

 private:
  ExtraGivens(double first, double second) : first_(first), second_(second) {
    NUMPLACE_ASSERT(first >= 0 && first < 1000 && second >= 0 && second < 1000);
  }
  friend std::variant<ExtraGivens, InputError> checkExtraGivens(const Controls &controls);

  double first_ = 0;  // a fraction is kept: the board takes its whole row, column and digit
  double second_ = 0;
};

// Reads Text1 and Text2: the codes, or why one of them cannot be used.
std::variant<ExtraGivens, InputError> checkExtraGivens(const Controls &controls);

// Lays the first extra given, then the second, onto the board.
void layExtraGivens(const ExtraGivens &extras, Tables &t);

}  // namespace numplace
