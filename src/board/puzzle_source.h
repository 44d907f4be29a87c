// Which source an analysis run reads: the grid, else the row boxes, else the
// data file named in Text3. The runs record it in their results; the check
// reports it beside the solutions.
#pragma once

#include <string>

namespace numplace {

enum class SourceKind { Grid, Rows, File };

struct PuzzleSource {
  SourceKind kind = SourceKind::Grid;
  std::string file;             // with File: the name as typed in Text3
  bool gridPassedOver = false;  // the grid had three or more empty rows
  friend bool operator==(const PuzzleSource &, const PuzzleSource &) = default;
};

}  // namespace numplace
