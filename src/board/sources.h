// Where a puzzle comes from: the grid of cell boxes, else the nine row boxes,
// else the comma-separated data file named in Text3; and the two extra givens.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "board/ports.h"
#include "board/puzzle_source.h"
#include "board/tables.h"

namespace numplace {

// Where a field of the data file stands: its line and its place on that
// line, both from 1.
struct FieldPlace {
  int line = 0;
  int field = 0;
  friend bool operator==(const FieldPlace &, const FieldPlace &) = default;
};

// One record of the data file: five free-format fields.
struct DataFileRecord {
  std::array<std::string, 5> fields;  // field text, quotes removed
  std::array<bool, 5> quoted{};
  std::array<FieldPlace, 5> places{};
};

struct DataFileResult {
  std::array<DataFileRecord, 10> records;  // 1..9
  int recordsRead = 0;                     // complete records found
  std::optional<std::string> error;        // message when the content is unusable
};

// Reads nine records of five fields from the content of a data file. Fields
// are separated by commas or line breaks; a field is a number or a text in
// double quotes, blanks around it ignored. Anything after the ninth record is
// not read. `name` only labels the messages (without its folders).
DataFileResult parseDataFile(std::string_view content, std::string_view name);

// Fills RowCodes(1..9) from the grid, else the row boxes, else the data file
// named in Text3, read through `files`. Returns a message when the puzzle
// cannot be used (the file is missing or malformed, a row holds a number the
// board cannot take). `readFrom`, when given, learns which source was read
// (also when its content then proves unusable).
std::optional<std::string> readPuzzle(const Controls &controls, const FileReader &files, Tables &t,
                                      PuzzleSource *readFrom = nullptr);

// Checks Text1 and Text2: each must read as 0..999 (a row-column-digit code).
std::optional<std::string> checkExtraGivens(const Controls &controls);

// Lays Text1 then Text2 onto the board (call checkExtraGivens first).
void layExtraGivens(const Controls &controls, Tables &t);

}  // namespace numplace
