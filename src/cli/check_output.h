// What numplace-cli says of the exact check: the --check lines, the fields
// of batch lines, the JSON fields and the last line of --explain.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "check/check.h"
#include "cli/path.h"
#include "runs/result.h"
#include "script/explanation.h"

namespace numplace {

// "grid", "rows", "file".
std::string_view sourceKindName(SourceKind kind);
// "row", "column", "block".
std::string_view unitName(UnitKind unit);

// The --check lines: source, solutions, clashes, differing cells, grade and
// the solution when there is one. Nothing but the source for bad input.
void printCheck(std::ostream &out, const PuzzleReport &report);

// What the document adds to the --check lines: "check collection FILE
// INDEX COUNT", "check extra BOX TEXT rRcC DIGIT EFFECT [answer]" and
// "check warning BOX TEXT WHY".
void printDocumentCheck(std::ostream &out, const DocumentFields &document);

// The fields a batch text line gains: " solutions=N", then " clashes=...",
// " differ=...", " grade=LEVEL:ENGLISH:SCORE" (or " grade=-") as they apply.
void appendCheckFields(std::string &out, const PuzzleReport &report, bool withGrade);

// checkSentence and reportOfRun, the last line of --explain, live with the
// rest of the explanation in script/explanation.h, which the window shares.

}  // namespace numplace
