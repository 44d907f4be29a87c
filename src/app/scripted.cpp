#include "app/scripted.h"

#include <QPixmap>

#include "app/prompts.h"

namespace numplace::app {
namespace {

// Counts the prompts and lets the caller look at the window as each opens.
class WatchedPrompt : public Prompt {
 public:
  WatchedPrompt(Prompt &inner, const std::function<void(int)> &beforePrompt)
      : inner_(inner), beforePrompt_(beforePrompt) {}
  std::optional<std::string> ask(const PromptRequest &request) override {
    if (beforePrompt_) beforePrompt_(++count_);
    return inner_.ask(request);
  }

 private:
  Prompt &inner_;
  const std::function<void(int)> &beforePrompt_;
  int count_ = 0;
};

}  // namespace

std::optional<std::string> playActions(MainWindow &window, const std::vector<Action> &actions,
                                       const std::function<void(int)> &beforePrompt) {
  AnswerQueue answers;
  QueuedPrompt queued(answers);
  WatchedPrompt prompt(queued, beforePrompt);
  WidgetTypist typist(window.controls());
  Prompt *const previous = window.prompt();
  window.setPrompt(&prompt);
  Ports ports = window.ports();
  std::optional<std::string> error;
  for (const Action &action : actions) {
    error = playAction(action, typist, ports, answers);
    if (error) break;
  }
  window.setPrompt(previous);
  return error;
}

bool saveScreenshot(MainWindow &window, const QString &path) { return window.grab().save(path, "PNG"); }

}  // namespace numplace::app
