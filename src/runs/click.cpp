#include "board/layout.h"
#include "entry/entry.h"
#include "runs/runs.h"

namespace numplace {

namespace {

// Each button's control name, and the run it starts.
struct ButtonName {
  Button button;
  std::string_view name;
  RunKind run;
};
constexpr ButtonName kButtons[] = {
    {Button::Answer, controls::Command3.name, RunKind::Answer},
    {Button::Step, controls::Command7.name, RunKind::Step},
    {Button::Reference1, controls::Command1.name, RunKind::Reference1},
    {Button::Reference2, controls::Command5.name, RunKind::Reference2},
    {Button::Clear, controls::Command4.name, RunKind::Answer},
};

}  // namespace

std::optional<Button> buttonNamed(std::string_view name) {
  for (const ButtonName &b : kButtons) {
    if (b.name == name) return b.button;
  }
  return std::nullopt;
}

std::string_view buttonNameOf(RunKind run) {
  for (const ButtonName &b : kButtons) {
    if (b.button != Button::Clear && b.run == run) return b.name;
  }
  return {};
}

void runAnalysisInto(Ports &ports, Button button, const RunOptions &options, RunResult &result) {
  switch (button) {
    case Button::Answer:
      runAnswer(ports, options, result);
      break;
    case Button::Step:
      runStep(ports, result);
      break;
    case Button::Reference1:
      runReference1(ports, result);
      break;
    case Button::Reference2:
      runReference2(ports, result);
      break;
    case Button::Clear:
      break;
  }
}

std::optional<RunResult> clickButton(Ports &ports, Button button, const RunOptions &options) {
  if (button == Button::Clear) {
    clearEntry(ports.controls);
    return std::nullopt;
  }
  RunResult result;
  runAnalysisInto(ports, button, options, result);
  return result;
}

}  // namespace numplace
