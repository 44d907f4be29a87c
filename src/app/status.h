// The status bar's words: which source the next run reads, and what the
// exact check found about that puzzle. Made from the check's report alone,
// so that they can be tested without a window.
#pragma once

#include <QString>
#include <optional>

#include "check/check.h"
#include "runs/result.h"

namespace numplace::app {

// "盤面", "行データ", "データファイル karune111.csv", and plainly when a grid
// with three or more empty rows is passed over.
QString sourceText(const PuzzleSource &source);

// One solution and its grade; several and where they differ; none, naming
// the clashing givens; or the bad input a run would show.
QString checkText(const PuzzleReport &report);

// True when `last` ended without the answer ("エラー", " いったんstop") on a
// puzzle that has exactly one solution: this program's techniques and trial
// placements did not reach it.
bool unreached(const PuzzleReport &report, const std::optional<RunResult> &last);
QString unreachedText();

// The whole status line.
QString statusText(const PuzzleReport &report, const std::optional<RunResult> &last);

}  // namespace numplace::app
