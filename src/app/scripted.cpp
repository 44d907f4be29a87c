#include "app/scripted.h"

#include <QPixmap>

#include "document/loader.h"
#include "script/answers.h"

namespace numplace::app {

std::optional<std::string> playActions(MainWindow &window, const std::vector<Action> &actions,
                                       const std::function<void(int)> &atPrompt, std::optional<RunResult> *lastRun,
                                       PuzzleLoader *loader) {
  PuzzleDocument ownDocument;
  DocumentLoader ownLoader(ownDocument, window.controls(), window.canvas());
  if (loader == nullptr) loader = &ownLoader;
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
    Played played = playAction(action, typist, ports, answers, MainWindow::kRunOptions, loader);
    error = std::move(played.error);
    if (error) break;
    if (played.run && lastRun != nullptr) *lastRun = std::move(played.run);
  }
  window.setPrompt(previous);
  return error;
}

bool saveScreenshot(MainWindow &window, const QString &path) { return window.grab().save(path, "PNG"); }

}  // namespace numplace::app
