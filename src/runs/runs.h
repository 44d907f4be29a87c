// The four analysis runs behind the window's buttons. Each reads the puzzle
// afresh from the controls, keeps its working tables to itself, has its
// painter draw on the surface and returns what it found.
#pragma once

#include <optional>
#include <string_view>

#include "board/ports.h"
#include "runs/result.h"

namespace numplace {

struct RunOptions {
  // The answer run draws the grid at the start of every cycle, where nothing
  // of it is ever seen: the window cannot repaint during a run, and batch
  // solving draws on nothing. A caller that needs only the final picture sets
  // this; the picture at the end is the same.
  bool skipCycleGrid = false;
};

// Each run fills `result` (reset first, its storage reused).
void runAnswer(Ports &ports, const RunOptions &options, RunResult &result);  // "答"
void runStep(Ports &ports, RunResult &result);                               // "  1　STEP"
void runReference1(Ports &ports, RunResult &result);  // "       参考1 (同盟)　　": the step run showing pair members
void runReference2(Ports &ports, RunResult &result);  // "参考2 ( ペア)": placements reported, block pairs at halts

enum class Button { Answer, Step, Reference1, Reference2, Clear };

// The button of a control name ("Command3" ...), or nothing.
std::optional<Button> buttonNamed(std::string_view name);

// The control name of the button that starts a run: "Command3" for the answer run ...
std::string_view buttonNameOf(RunKind run);

// Runs the analysis behind `button` into `result`, which a caller may watch
// grow while a prompt is open; "消去" runs nothing.
void runAnalysisInto(Ports &ports, Button button, const RunOptions &options, RunResult &result);

// What a click does: an analysis run returns its result; "消去" returns nothing.
std::optional<RunResult> clickButton(Ports &ports, Button button, const RunOptions &options = {});

}  // namespace numplace
