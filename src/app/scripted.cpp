#include "app/scripted.h"

#include <QPixmap>

#include "script/answers.h"

namespace numplace::app {

std::optional<std::string> playActions(MainWindow &window, const std::vector<Action> &actions,
                                       const std::function<void(int)> &atPrompt) {
  AnswerQueue answers;
  QueuedPrompt prompt(answers);
  if (atPrompt) {
    prompt.setListener(
        [&prompt, &atPrompt](const PromptRequest &, const std::optional<std::string> &) { atPrompt(prompt.asked()); });
  }
  WidgetTypist typist(window.controls());
  Prompt *const previous = window.prompt();
  window.setPrompt(&prompt);
  Ports ports = window.ports();
  std::optional<std::string> error;
  for (const Action &action : actions) {
    error = playAction(action, typist, ports, answers, MainWindow::kRunOptions).error;
    if (error) break;
  }
  window.setPrompt(previous);
  return error;
}

bool saveScreenshot(MainWindow &window, const QString &path) { return window.grab().save(path, "PNG"); }

}  // namespace numplace::app
