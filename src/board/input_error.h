// Why the input of a run cannot be used, as data: what is wrong, where, and
// the text at fault. The message the user reads is made from it only where
// a message is shown (inputErrorText); the engine and its callers compare
// kinds and places.
#pragma once

#include <string>

#include "board/ports.h"

namespace numplace {

// Where a field of the data file stands: its line and its place on that
// line, both from 1.
struct FieldPlace {
  int line = 0;
  int field = 0;
  friend bool operator==(const FieldPlace &, const FieldPlace &) = default;
};

struct InputError {
  enum class Kind {
    CannotOpenFile,     // the file named in Text3 cannot be opened
    CannotReadFile,     // it is a folder or cannot be read
    FileNotRegular,     // it is a pipe, a device or a socket, which the runs never read
    FileTooLarge,       // it is larger than any file the program reads (kLargestFile)
    NoFields,           // the data file holds no field at all
    TooFewFields,       // it ends before nine records of five fields
    RowNotANumber,      // a record's first field, first on its line, is not a number
    FieldsOutOfStep,    // the same, but the field is not first on its line: a record lacks fields
    TooLarge,           // a cell, a row box or a record's first field is beyond exact arithmetic
    NotWhole,           // the same, a fraction
    GridRowTooLarge,    // the grid: a row's cells together, though no cell alone, too large
    ExtraGivenUnusable  // Text1 or Text2 does not read as 0..999
  };

  Kind kind = Kind::NoFields;
  // The box at fault: Text15(cell) for the grid, Text5(row) for the row
  // boxes, Text3 for the data file it names, Text1 or Text2. Empty for a
  // data file read on its own (parseDataFile).
  ControlRef box;
  int row = 0;         // the grid's or the row boxes' row; the record (1..9) of a data file
  int column = 0;      // the grid's column with TooLarge and NotWhole
  FieldPlace place;    // a data file's field at fault; TooFewFields: the line of the last field
  int fieldCount = 0;  // TooFewFields: how many fields were read
  std::string token;   // the raw text at fault
  std::string file;    // the data file's name as given (with its folders)

  friend bool operator==(const InputError &, const InputError &) = default;
};

// The message the window, the CLI and the exports show for `error`, in
// Japanese; the raw texts it quotes are made fit to show (shownText,
// shownFileName).
std::string inputErrorText(const InputError &error);

}  // namespace numplace
