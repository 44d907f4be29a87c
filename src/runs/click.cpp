#include "entry/entry.h"
#include "runs/runs.h"

namespace numplace {

std::optional<Button> buttonNamed(std::string_view name) {
  if (name == "Command3") return Button::Answer;
  if (name == "Command7") return Button::Step;
  if (name == "Command1") return Button::Reference1;
  if (name == "Command5") return Button::Reference2;
  if (name == "Command4") return Button::Clear;
  return std::nullopt;
}

std::optional<RunResult> clickButton(Ports &ports, Button button, const RunOptions &options) {
  RunResult result;
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
      clearEntry(ports.controls);
      return std::nullopt;
  }
  return result;
}

}  // namespace numplace
