// How long the step family takes in the real window: "  1　STEP" and "参考1"
// clicked on one puzzle, the first prompt answered 2 (run to the end). Two
// times per click: from the click to the first prompt painted on the screen,
// and from the click to the last picture painted. The prompt is the window's
// own dialog; it is answered as soon as it has been painted. Offscreen unless
// a platform is chosen.
//
//   numplace_window_step_bench [FILE [LINE [REPEATS]]]   (default: tests/data/se_hard.txt 12 15)
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/fonts.h"
#include "app/window.h"
#include "board/layout.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Notes when a prompt dialog is first painted and answers it with `answer`.
class PromptAnswerer : public QObject {
 public:
  explicit PromptAnswerer(QString answer) : answer_(std::move(answer)) {}
  std::optional<Clock::time_point> firstPainted;
  int prompts = 0;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() != QEvent::Paint) return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    auto *dialog = widget != nullptr ? qobject_cast<QDialog *>(widget->window()) : nullptr;
    if (dialog == nullptr || answered_.contains(dialog)) return false;
    answered_.push_back(dialog);
    if (!firstPainted) firstPainted = Clock::now();
    ++prompts;
    // After this paint is done: the dialog has then been shown whole.
    QTimer::singleShot(0, dialog, [dialog, this] {
      if (auto *edit = dialog->findChild<QLineEdit *>()) edit->setText(answer_);
      dialog->accept();
    });
    return false;
  }

 private:
  QString answer_;
  QList<QDialog *> answered_;
};

struct Times {
  std::vector<double> firstPrompt;
  std::vector<double> lastPicture;
};

void summary(const char *what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("  %-28s median %7.2f ms, worst %7.2f ms (%zu runs)\n", what, times[times.size() / 2], times.back(),
              times.size());
}

}  // namespace

int main(int argc, char **argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  numplace::app::installFontSubstitutions();
  numplace::app::MainWindow window;
  window.show();
  QApplication::processEvents();

  const std::string path = argc > 1 ? argv[1] : NUMPLACE_DATA_DIR "/se_hard.txt";
  const int wanted = argc > 2 ? std::atoi(argv[2]) : 12;
  const int repeats = argc > 3 ? std::atoi(argv[3]) : 15;
  std::ifstream in(path);
  std::string puzzle;
  for (int line = 1; std::getline(in, puzzle) && line < wanted; ++line) {
  }
  if (puzzle.size() < 81) {
    std::fprintf(stderr, "no puzzle on line %d of %s\n", wanted, path.c_str());
    return 1;
  }
  for (int k = 0; k < 81; ++k) {
    const char ch = puzzle[static_cast<std::size_t>(k)];
    window.controls().setText({"Text15", numplace::cellIndex(k / 9 + 1, k % 9 + 1)},
                              ch >= '1' && ch <= '9' ? std::string(1, ch) : std::string());
  }
  QApplication::processEvents();

  const std::pair<const char *, const char *> buttons[] = {{"Command7", "1 STEP"}, {"Command1", "参考1"}};
  std::printf("%s:%d, answer 2 at the first prompt\n", path.c_str(), wanted);
  for (const auto &[name, caption] : buttons) {
    auto *button = qobject_cast<QPushButton *>(window.control({name}));
    if (button == nullptr) return 1;
    Times times;
    Times cold;
    // The first click of each button also fills the caches of fonts, glyphs
    // and the dialog's style: shown apart from the rest.
    for (int i = 0; i <= repeats; ++i) {
      PromptAnswerer answerer(QStringLiteral("2"));
      app.installEventFilter(&answerer);
      const auto start = Clock::now();
      button->click();
      window.repaint();
      const double last = msSince(start);
      app.removeEventFilter(&answerer);
      QApplication::processEvents();
      if (!answerer.firstPainted || answerer.prompts != 1) {
        std::fprintf(stderr, "%s: %d prompts painted, expected 1\n", caption, answerer.prompts);
        return 1;
      }
      Times &into = i == 0 ? cold : times;
      into.firstPrompt.push_back(std::chrono::duration<double, std::milli>(*answerer.firstPainted - start).count());
      into.lastPicture.push_back(last);
    }
    std::printf("%s (first click: %.2f ms to the first prompt, %.2f ms to the last picture)\n", caption,
                cold.firstPrompt.front(), cold.lastPicture.front());
    summary("click to the first prompt:", times.firstPrompt);
    summary("click to the last picture:", times.lastPicture);
  }
  return 0;
}
