// Playing command-line actions on the real window, for screenshots and for
// starting the window in a prepared state.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/window.h"
#include "script/actions.h"

namespace numplace::app {

// Typing as the actions mean it: the text is put into the box, no handler runs.
class WidgetTypist : public Typist {
 public:
  explicit WidgetTypist(Controls &controls) : controls_(controls) {}
  void type(ControlRef ref, std::string_view text) override { controls_.setText(ref, text); }

 private:
  Controls &controls_;
};

// Plays the actions in order; every prompt takes the next queued answer, or
// its default when none is left, so no dialog opens. The window's own prompt
// is back in place afterwards. Stops at the first action the window cannot
// take and returns its message.
// `atPrompt`, when given, is called with the prompt's number (1, 2, ...) as
// each prompt opens, while the window shows the run so far.
// `lastRun`, when given, receives the last analysis run's result.
// `loader` takes the document actions (--open, --next, --paste); without
// one they load into a document of their own, with no undo history.
std::optional<std::string> playActions(MainWindow &window, const std::vector<Action> &actions,
                                       const std::function<void(int)> &atPrompt = {},
                                       std::optional<RunResult> *lastRun = nullptr, PuzzleLoader *loader = nullptr);

// Saves a PNG of the whole client area: controls and drawing.
bool saveScreenshot(MainWindow &window, const QString &path);

}  // namespace numplace::app
