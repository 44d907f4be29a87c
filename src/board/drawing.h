// Drawing on the window's surface: the standard 9x9 board of the answer family
// and the frame shape shared with the step board.
#pragma once

#include "board/ports.h"
#include "board/tables.h"

namespace numplace {

// Where the boards' digits and the candidate-code table's entries are printed
// (twips): the standard board of the answer family, the step board and the
// table of the step family. Cells are (row, column), 1..9.
struct Point {
  double x, y;
};
inline Point boardDigitPosition(int r, int c) { return {720.0 * (c - 1) + 8556, 720.0 * (r - 1) + 192}; }
inline Point stepBoardDigitPosition(int r, int c) {
  return {3040 + 84.5 * (71.3 + 6 * (c - 1)), 169 * (0.8 + 3 * (r - 1))};
}
inline Point tableEntryPosition(int r, int c) { return {4900.0 + 1000 * c, 4400.0 + 600 * r}; }

// Draws the ten thin lines each way, then the four thick block lines each way,
// of a board whose line k (k = 1..28, every third) is at x = xOf(k) and y = yOf(k).
struct BoardFrame {
  double xScale, xOffset;  // x = xScale * k + xOffset
  double yScale;           // y = yScale * k
  double top, bottom;      // vertical lines run from top to bottom
  double left, right;      // horizontal lines run from left to right
};
void drawFrame(DrawingSurface &s, const BoardFrame &frame);

// How much of the standard board drawing is wanted.
enum class BoardDigits {
  CountOnly,  // the grid; each cell is visited (position, colour, size) but nothing printed
  Print,      // the grid and every placed digit
};

// The standard board at the right-hand side of the window. Returns the
// number of cells holding a digit.
int drawBoard(DrawingSurface &s, const Tables &t, BoardDigits digits);

}  // namespace numplace
