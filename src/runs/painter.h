// What the runs' pictures share: where things stand and how large they are
// printed, the digit colours, the standard board and the step board's frame,
// and the start of every run's picture with its bad-input message. The runs
// say what happened; the painters alone call the drawing surface.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/ports.h"
#include "runs/result.h"

namespace numplace {

// Colours are 0x00BBGGRR.
inline constexpr std::uint32_t rgb(int r, int g, int b) { return static_cast<std::uint32_t>(r + 256 * g + 65536 * b); }
inline constexpr std::uint32_t kBlack = 0;
inline constexpr std::uint32_t kRed = rgb(255, 0, 0);
inline constexpr std::uint32_t kBlue = rgb(0, 0, 255);
inline constexpr std::uint32_t kWhite = rgb(255, 255, 255);

// Digit colours, by digit (0 is black). The step family draws 6 grey green
// instead of red, keeping red for the digit just placed.
enum class ColourScheme { Answer, Step };
using DigitColours = std::array<std::uint32_t, 10>;
DigitColours digitColours(ColourScheme scheme);

// A position in twips from the top-left corner of the window's client area.
struct Point {
  double x, y;
};

// Font sizes, in points.
namespace fonts {
inline constexpr double kAnswerStart = 10;  // the answer family, from the start of a run
inline constexpr double kCycle = 14;        // set by every cycle; the table and the step family's start
inline constexpr double kStepLog = 9;
inline constexpr double kLegend = 17;
inline constexpr double kMessage = 20;  // "終了", " いったんstop", "  エラー  "; reference 2's pair digits
inline constexpr double kStepBoard = 30;
inline constexpr double kBoard = 40;  // the standard board; "エラー" of a cell without candidates
inline constexpr double kInputError = 14;
}  // namespace fonts

// Where the messages stand.
inline constexpr Point kAnswerEndAt{10000, 9600};  // "終了", "  エラー  ", " いったんstop"
inline constexpr Point kReference2EndAt{10000, 9000};
inline constexpr Point kLegendAt{8900, 6880};  // just below the board
inline constexpr Point kBoardErrorAt{4500, 8000};
inline constexpr Point kStepEndAt{5000, 5000};
inline constexpr Point kStepStopAt{4000, 7600};
inline constexpr Point kTableErrorAt{4500, 6000};
inline constexpr Point kInputErrorAt{240, 10200};  // the last line; the lines before stand above it
inline constexpr double kInputErrorLinePitch = 300;
// A line of the message, in ems of its 14-point font, reckoned high: from
// x = 240 it ends well inside the window (15240), above the credit line.
inline constexpr double kInputErrorLineEm = 50;

// Where the boards' digits and the candidate-code table's entries are
// printed. Cells are (row, column), 1..9.
inline Point boardDigitPosition(int r, int c) { return {720.0 * (c - 1) + 8556, 720.0 * (r - 1) + 192}; }
inline Point stepBoardDigitPosition(int r, int c) {
  return {3040 + 84.5 * (71.3 + 6 * (c - 1)), 169 * (0.8 + 3 * (r - 1))};
}
inline Point tableEntryPosition(int r, int c) { return {4900.0 + 1000 * c, 4400.0 + 600 * r}; }

// The board of a run: Board(row, column), 1..9, 0 for an empty cell.
using BoardCells = int[10][10];

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

// The standard board at the right-hand side of the window.
void drawBoard(DrawingSurface &s, const BoardCells &board, const DigitColours &colours, BoardDigits digits);

// The start of every run's picture, its bad-input message, and its messages
// recorded in the result as they are printed.
class Painter {
 public:
  Painter(DrawingSurface &surface, RunResult &result, double startFont, ColourScheme scheme)
      : s_(surface), result_(result), startFont_(startFont), colours_(digitColours(scheme)) {}

  // The surface cleared, the run's first font size and black.
  void started();
  // Why the input cannot be used, red at the foot of the window, in as many
  // lines as it needs.
  void inputRejected(std::string_view message);

 protected:
  // Clears the surface and forgets the messages shown so far.
  void clear();
  // How most messages begin: move there, black, the font size.
  void beginMessage(Point at, double fontSize);
  // Prints a message and records it as shown.
  void printMessage(std::string_view text, Ending ending);
  void moveTo(Point at) { s_.moveTo(at.x, at.y); }

  DrawingSurface &s_;
  RunResult &result_;
  double startFont_;
  DigitColours colours_;
};

}  // namespace numplace
