// Drawing on the window's surface: the standard 9x9 board of the answer family,
// the frame shape shared with the step board, and the message for bad input.
#pragma once

#include <string_view>

#include "board/ports.h"
#include "board/tables.h"

namespace numplace {

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

// Draws a message about bad input and tells the surface that the run stopped.
void showInputError(DrawingSurface &s, std::string_view message);

}  // namespace numplace
