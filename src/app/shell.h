// The program's main window: the form in the middle, exactly as it is, and
// around it the menus, the status bar and the explanation panel, with the
// undo history of the entry boxes, open and save, copy and paste.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <optional>

#include "app/history.h"
#include "app/window.h"
#include "check/check.h"
#include "runs/result.h"

class QAction;
class QDockWidget;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;

namespace numplace::app {

class ShellWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit ShellWindow(QWidget *parent = nullptr);
  ~ShellWindow() override;

  MainWindow &form() { return *form_; }
  QUndoStack &undoStack() { return undoStack_; }
  QDockWidget *explanationDock() const { return dock_; }
  QListWidget *explanationList() const { return explanation_; }
  // The action of a menu by its object name ("open", "save", "undo", ...).
  QAction *action(const QString &name) const;

  // 開く: a data file's name goes into Text3; a collection's first puzzle
  // into the grid. False, with the reason in the status bar, when the file
  // is neither.
  bool openFile(const QString &path);
  // 名前を付けて保存: the puzzle the next run reads, as a data file.
  bool saveFile(const QString &path);
  // 前の問題 / 次の問題: the puzzle `delta` places on in the collection.
  bool stepCollection(int delta);
  int collectionIndex() const { return collectionIndex_; }
  int collectionSize() const { return static_cast<int>(collection_.size()); }

  void copyPuzzle();
  void copyAnswer();
  bool pastePuzzle();
  // 解を表示: the check's solution drawn on the board as the answer run
  // draws its board. False when the puzzle has not exactly one solution.
  bool showSolution();

  // The status bar's line and what the last refresh found; refreshStatus()
  // brings them up to date at once (typing waits a moment for it).
  QString statusLine() const { return statusLine_; }
  void refreshStatus();
  // How the status bar examines the puzzle the next run reads: the exact
  // check of the core (examinePuzzle) unless told otherwise.
  using Examine = std::function<PuzzleReport(const Controls &, const FileReader &)>;
  void setExamine(Examine examine);
  const std::optional<PuzzleReport> &report() const { return report_; }
  QPushButton *showSolutionButton() const { return solutionButton_; }
  const std::optional<RunResult> &lastRun() const { return lastRun_; }

  // Takes a run played by the scripted actions as the last run: the panel
  // explains it and the status bar speaks of it.
  void takeRun(const RunResult &result) { runEnded(result, false); }
  // Takes what scripted actions typed into the boxes as where the undo
  // history starts, and brings the status bar up to date.
  void adoptEntries();

  // The recent files, newest first, as QSettings keeps them.
  QStringList recentFiles() const;

  // The form at the largest scale up to 1 at which the whole window fits
  // its screen, put at the screen's top-left corner.
  void placeOnScreen();

 protected:
  void closeEvent(QCloseEvent *event) override;

 private:
  void buildMenus();
  void buildStatusBar();
  void buildDock();
  void entryChanged(EntryChange change, int box);
  void runStarted();
  void runProgress(const RunResult &soFar);
  void runEnded(const RunResult &result, bool stopped);
  void showExplanation(const RunResult &result);
  void selectLastLine();
  void scheduleStatus();
  void markClashes();
  void tell(const QString &message);
  void addRecent(const QString &path);
  void fillRecentMenu();
  void openDialog();
  void saveDialog();
  void showManual();
  void showAbout();
  void setBusy(bool busy);
  QString collectionText() const;

  MainWindow *form_;
  QUndoStack undoStack_;
  std::unique_ptr<EntryHistory> history_;
  QHash<QString, QAction *> actions_;
  QMenu *recentMenu_ = nullptr;
  QDockWidget *dock_ = nullptr;
  QListWidget *explanation_ = nullptr;
  QLabel *status_ = nullptr;
  QPushButton *solutionButton_ = nullptr;
  QTimer *statusTimer_ = nullptr;
  QString statusLine_;
  Examine examine_;
  std::optional<PuzzleReport> report_;
  std::optional<RunResult> lastRun_;
  bool lastRunCurrent_ = false;  // no change to the boxes since the last run
  QStringList collection_;
  QString collectionFile_;
  int collectionIndex_ = -1;
  QString pendingLabel_;  // names the next change of the boxes, when a menu makes it
};

}  // namespace numplace::app
