// What the four runs share: the texts they print, the gates of the cycle
// and the start of a run.
#pragma once

#include <string>
#include <string_view>

#include "board/marks.h"
#include "board/ports.h"
#include "board/sources.h"
#include "board/tables.h"
#include "runs/painter.h"
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

// The gates of a cycle. Every third cycle goes on to the triples and digit
// lists; every fifth sweep of those that finds nothing runs the block-pair
// stage, and every tenth also the stall handling.
constexpr bool reachesLateStages(long cycleCount) { return cycleCount % 3 == 0; }
constexpr bool runsBlockPairs(long lateStageCount) { return lateStageCount % 5 == 0; }
constexpr bool isStallSweep(long lateStageCount) { return lateStageCount % 10 == 0; }

// Starts the run's picture, reads the puzzle and checks the extra givens,
// giving them in `extras`. False when the input cannot be used: the painter
// has shown why and the result says BadInput.
bool startRun(const Ports &ports, Tables &t, Painter &painter, RunResult &result, ExtraGivens &extras);

// The board as 81 cells.
Grid gridOf(const Tables &t);

}  // namespace numplace
