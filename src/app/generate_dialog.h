// New puzzles in the window: the level and the symmetry asked for, the
// puzzles made on a thread of their own with a progress bar and キャンセル,
// so that the window stays responsive however long a rare level takes.
#pragma once

#include <QDialog>
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include "generate/generate.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace numplace::app {

class GenerateDialog : public QDialog {
  Q_OBJECT

 public:
  // One puzzle to load (新しい問題), or a collection of `count` to write (問題集を作る).
  enum class Mode { One, Collection };
  explicit GenerateDialog(Mode mode, QWidget *parent = nullptr);
  // Stops the generating thread (at its next attempt) and waits for it.
  ~GenerateDialog() override;
  GenerateDialog(const GenerateDialog &) = delete;
  GenerateDialog &operator=(const GenerateDialog &) = delete;

  GenerateOptions options() const;
  std::uint64_t seed() const { return seed_; }
  // With a seed set, the puzzles are those of that seed (else of the clock).
  void setSeed(std::uint64_t seed) { fixedSeed_ = seed; }
  void setLevel(int level);  // 0: any level
  void setSymmetry(Symmetry symmetry);
  void setCount(int count);

  // The puzzles made, in order, once the dialog is accepted.
  const std::vector<GeneratedPuzzle> &puzzles() const { return made_; }

  QPushButton *startButton() const { return start_; }
  QPushButton *cancelButton() const { return cancel_; }
  bool generating() const { return worker_.joinable() && !finished_; }

  // Starts making the puzzles; the dialog is accepted when they are all
  // made, and stays open (with a word on why) when they are cancelled.
  void start();
  // キャンセル: while making, stops the making; else closes the dialog.
  void reject() override;

 private:
  void finish(bool done);
  void showProgress();
  void stopWorker();

  Mode mode_;
  QComboBox *level_;
  QComboBox *symmetry_;
  QSpinBox *count_ = nullptr;
  QProgressBar *progress_;
  QLabel *state_;
  QPushButton *start_;
  QPushButton *cancel_;
  QTimer *timer_;
  std::thread worker_;
  std::atomic<bool> cancelled_{false};
  std::atomic<long> attempts_{0};
  std::atomic<int> doneCount_{0};
  bool finished_ = false;
  std::optional<std::uint64_t> fixedSeed_;
  std::uint64_t seed_ = 0;
  std::vector<GeneratedPuzzle> made_;
  std::vector<GeneratedPuzzle> making_;  // the worker's, until it has finished
};

// The level's words in the window's language: "3 上級（ペア）".
QString levelText(int level);
// The symmetry's words: "点対称（180°回転）".
QString symmetryText(Symmetry symmetry);

}  // namespace numplace::app
