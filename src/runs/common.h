// What the four runs share: the texts they print, where their messages
// stand, the gates of the cycle, the start of a run and the way a message
// is both drawn and recorded in the result.
#pragma once

#include <string>
#include <string_view>

#include "board/drawing.h"
#include "board/marks.h"
#include "board/ports.h"
#include "board/sources.h"
#include "board/tables.h"
#include "runs/result.h"
#include "runs/runs.h"

namespace numplace {

namespace texts {
inline constexpr std::string_view kEnd = "終了";
inline constexpr std::string_view kErrorEnd = "  エラー  ";  // the answer family, before "終了"
inline constexpr std::string_view kError = "エラー";         // a cell without candidates
inline constexpr std::string_view kStop = " いったんstop";
inline constexpr std::string_view kLegend = "小さめの数字は、ブロック内で二つのもの。";
}  // namespace texts

// Technique words: the answer family reports its digit-list singles as
// "縦１" / "横１", the step family as "縦　" / "横　".
namespace words {
inline constexpr std::string_view kNakedSingle = "基本";
inline constexpr std::string_view kBlockSingle = "ブロ";
inline constexpr std::string_view kRowSingle = "よこ";
inline constexpr std::string_view kColumnSingle = "たて";
inline constexpr std::string_view kColumnListAnswer = "縦１";
inline constexpr std::string_view kRowListAnswer = "横１";
inline constexpr std::string_view kColumnListStep = "縦　";
inline constexpr std::string_view kRowListStep = "横　";
}  // namespace words

// Where the messages stand (twips).
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

// The gates of a cycle. Every third cycle goes on to the triples and digit
// lists; every fifth sweep of those that finds nothing runs the block-pair
// stage, and every tenth also the stall handling.
constexpr bool reachesLateStages(long cycleCount) { return cycleCount % 3 == 0; }
constexpr bool runsBlockPairs(long lateStageCount) { return lateStageCount % 5 == 0; }
constexpr bool isStallSweep(long lateStageCount) { return lateStageCount % 10 == 0; }

// Builds ColourTable, clears the surface, sets the font size and black, reads
// the puzzle and checks the extra givens, giving them in `extras`. False
// when the input cannot be used: the message is then drawn and the result
// says BadInput.
bool startRun(Ports &ports, Tables &t, ColourScheme scheme, double fontSize, RunResult &result, ExtraGivens &extras);

// Clears the surface and forgets the messages shown so far.
void clearSurface(DrawingSurface &s, RunResult &result);

// How most messages begin: move there, black, the font size.
void beginMessage(DrawingSurface &s, Point at, double fontSize);

// Prints a message and records it as shown.
void printMessage(DrawingSurface &s, RunResult &result, std::string_view text, Ending ending);

// The board as 81 cells.
Grid gridOf(const Tables &t);

}  // namespace numplace
