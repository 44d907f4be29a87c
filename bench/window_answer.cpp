// How long "答" takes in the real window, from the click to the finished
// picture: each puzzle of a collection typed into the grid, the button
// clicked, the window repainted. Offscreen unless a platform is chosen.
//
//   numplace_window_bench [FILE]   (default: tests/data/top95.txt)
#include <QApplication>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/fonts.h"
#include "app/window.h"
#include "board/layout.h"

int main(int argc, char **argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  numplace::app::installFontSubstitutions();
  numplace::app::MainWindow window;
  window.show();
  QApplication::processEvents();
  auto *answer = qobject_cast<QPushButton *>(window.control({"Command3"}));
  if (answer == nullptr) return 1;

  const std::string path = argc > 1 ? argv[1] : NUMPLACE_DATA_DIR "/top95.txt";
  std::ifstream in(path);
  std::vector<double> times;
  int line = 0;
  for (std::string puzzle; std::getline(in, puzzle);) {
    ++line;
    if (puzzle.size() < 81) continue;
    for (int k = 0; k < 81; ++k) {
      const char ch = puzzle[static_cast<std::size_t>(k)];
      window.controls().setText({"Text15", numplace::cellIndex(k / 9 + 1, k % 9 + 1)},
                                ch >= '1' && ch <= '9' ? std::string(1, ch) : std::string());
    }
    window.controls().setText({"Text1"}, "追加 1");
    QApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    answer->click();
    window.repaint();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    times.push_back(ms);
    std::printf("%s:%d %.2f ms\n", path.c_str(), line, ms);
  }
  if (times.empty()) return 1;
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  std::printf("puzzles %zu: median %.2f ms, 90th percentile %.2f ms, worst %.2f ms\n", sorted.size(),
              sorted[sorted.size() / 2], sorted[sorted.size() * 9 / 10], sorted.back());
  return 0;
}
