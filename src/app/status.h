// The status bar's words: which source the next run reads, and what the
// exact check found about that puzzle. Made from the check's report alone,
// so that they can be tested without a window.
#pragma once

#include <QString>
#include <optional>

#include "check/check.h"
#include "document/beyond_grid.h"
#include "runs/result.h"

namespace numplace::app {

// "盤面", "行データ", "データファイル karune111.csv", and plainly when a grid
// with three or more empty rows is passed over.
QString sourceText(const PuzzleSource &source);

// One solution and its grade; several and where they differ; none, naming
// the clashing givens (and the box of an extra given among them); or the
// bad input a run would show.
QString checkText(const PuzzleReport &report, const BeyondGrid &beyond = {});

// What the next run lays beyond the grid: "追加 1：151（1行5列に1）" for each
// extra given, with what becomes of it, and the boxes it reads otherwise
// than they look ("1行9列に「12」：マスには数字を1つだけ"). Empty when there is
// nothing of the kind.
QString beyondGridText(const BeyondGrid &beyond);

// True when `last` ended without the answer ("エラー", " いったんstop") on a
// puzzle that has exactly one solution: this program's techniques and trial
// placements did not reach it.
bool unreached(const PuzzleReport &report, const std::optional<RunResult> &last);
// The answer run's techniques and trials, or reference 2's logic without
// trials, did not reach the solution.
QString unreachedText(RunKind run = RunKind::Answer);

// The whole status line.
QString statusText(const PuzzleReport &report, const std::optional<RunResult> &last, const BeyondGrid &beyond = {});

}  // namespace numplace::app
