// The program's main window: the form in the middle, exactly as it is, and
// around it the menus, the status bar and the explanation panel, with the
// puzzle document (what is being worked on and where it came from), its undo
// history, open and save, copy and paste.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <optional>

#include "app/history.h"
#include "app/paper_dialog.h"
#include "app/window.h"
#include "check/check.h"
#include "document/beyond_grid.h"
#include "document/document.h"
#include "export/paper.h"
#include "generate/generate.h"
#include "hints/hints.h"
#include "runs/result.h"
#include "script/actions.h"

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

  PuzzleDocument &document() { return document_; }
  const PuzzleDocument &document() const { return document_; }
  // The document actions of scripted play, each one undo step as from the menus.
  PuzzleLoader &loader() { return *loader_; }

  // 開く: a data file's puzzle (its name into Text3) or a collection's first
  // puzzle, loaded as a new puzzle. False, with the reason in the status
  // bar, when the file is neither.
  bool openFile(const QString &path);
  // 名前を付けて保存: the puzzle the next run reads, as a data file.
  bool saveFile(const QString &path);
  // 新しい問題: a puzzle of the level and symmetry asked for, made off the
  // window's thread, loaded as a new puzzle. 問題集を作る: a collection of
  // them written to a file and opened.
  void newPuzzleDialog();
  void newCollectionDialog();
  // Loads a generated puzzle as a new document (one undo step).
  void loadGenerated(const GeneratedPuzzle &puzzle, const GenerateOptions &options);
  bool writeCollection(const QString &path, const std::vector<GeneratedPuzzle> &puzzles);
  // 印刷…, PDF に書き出す…, 画像として保存…: a clean board of its own (not
  // the form's picture): the puzzle with the user's entries lighter, or the
  // open collection a few a page, the solutions at the end, the last run's
  // path after the puzzle.
  exports::PaperDocument paperDocument(const PaperChoice &choice);
  bool exportPdf(const QString &path, const PaperChoice &choice);
  bool savePicture(const QString &path, const PictureChoice &choice);
  // 途中経過を保存: the givens and the user's entries, kept apart, which
  // 開く brings back as they were.
  bool saveProgress(const QString &path);
  // 前の問題 / 次の問題: the puzzle `delta` places on in the collection.
  bool stepCollection(int delta);
  int collectionIndex() const { return document_.state().collectionIndex; }
  int collectionSize() const { return document_.collectionSize(); }
  // Loads `givens` as a new puzzle (one undo step named `label`): the grid
  // gets its digits, the row boxes are emptied, 追加 1 and 追加 2 get their
  // start-up texts back and the picture is cleared.
  void loadPuzzle(const Grid &givens, PuzzleOrigin origin, const QString &label);

  void copyPuzzle();
  void copyAnswer();
  bool pastePuzzle();
  // A puzzle line as a new puzzle; false when the text is not one.
  bool pasteText(const QString &text);
  // 解を表示: the check's solution drawn on the board as the answer run
  // draws its board. False when the puzzle has not exactly one solution.
  bool showSolution();

  // この盤面を問題にする: the digits in the grid become the givens; what is
  // typed after that are the user's own entries (shown blue).
  void fixGivens();
  // 答え合わせ: the user's entries against the one solution of the givens;
  // the wrong ones are marked until the next change.
  EntriesCheck checkEntries();
  // ヒント: asked again for the same position, the next level (1 where to
  // look, 2 and the digit, 3 the placement written as an entry); a wrong
  // entry comes first. `level` asks for one level.
  Hint giveHint(std::optional<int> level = std::nullopt);
  // The cells the status bar's last hint or check marks.
  const std::vector<CellRef> &markedCells() const { return marked_; }

  // The status bar's line and what the last refresh found; refreshStatus()
  // brings them up to date at once (typing waits a moment for it).
  QString statusLine() const { return statusLine_; }
  void refreshStatus();
  // How the status bar examines the puzzle the next run reads: the exact
  // check of the core (examinePuzzle) unless told otherwise.
  using Examine = std::function<PuzzleReport(const Controls &, const FileReader &)>;
  void setExamine(Examine examine);
  const std::optional<PuzzleReport> &report() const { return report_; }
  const BeyondGrid &beyondGrid() const { return beyond_; }
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
  void showEvent(QShowEvent *event) override;

 private:
  // The scripted document actions, each one undo step as from the menus.
  class Loader final : public PuzzleLoader {
   public:
    explicit Loader(ShellWindow &shell) : shell_(shell) {}
    std::optional<std::string> open(const std::string &path) override;
    bool step(int delta) override;
    bool paste(std::string_view text) override;
    void runEnded(const RunResult &result) override;
    void fixGivens() override;
    void hint(int level) override;
    std::optional<std::string> saveProgress(const std::string &path) override;

   private:
    ShellWindow &shell_;
  };

  void buildMenus();
  // The document was written to `path`: no longer modified, and a recent file.
  void savedAs(const QString &path);
  void buildStatusBar();
  void buildDock();
  void entryChanged(EntryChange change, int box);
  void runStarted();
  void runProgress(const RunResult &soFar);
  void runEnded(const RunResult &result, bool stopped);
  void showExplanation(const RunResult &result);
  void selectLastLine();
  void scheduleStatus();
  // The boxes' colours: clashing givens red, the user's entries blue, wrong
  // entries red on pink, the cells of a hint's unit on yellow.
  void colourBoxes();
  // A change of the boxes: the marks of a check or a hint go, the next hint starts at level 1.
  void forgetMarks();
  void tell(const QString &message);
  void addRecent(const QString &path);
  void fillRecentMenu();
  void openDialog();
  void saveDialog();
  void saveProgressDialog();
  void printDialog();
  void exportPdfDialog();
  void savePictureDialog();
  void showManual();
  void showAbout();
  void setBusy(bool busy);
  // Enables what the document allows: the collection steps only with a
  // collection, the rest unless a run is waiting at a prompt.
  void updateActions();
  void updateTitle();
  // Runs `load` (which loads a puzzle into the document) as one undo step.
  template <typename Load>
  bool loadStep(const QString &label, Load load);
  // The explanation panel at the side while the screen has room for it
  // beside the form at its present size, else below: the form keeps its scale.
  void placePanel(bool shown);
  QString collectionText() const;

  MainWindow *form_;
  QUndoStack undoStack_;
  PuzzleDocument document_;
  std::unique_ptr<EntryHistory> history_;
  std::unique_ptr<Loader> loader_;
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
  BeyondGrid beyond_;
  std::optional<RunResult> lastRun_;
  bool lastRunCurrent_ = false;  // no change to the boxes since the last run
  bool busy_ = false;
  std::vector<CellRef> marked_;  // by the last 答え合わせ or ヒント
  bool markedWrong_ = false;     // the marks are wrong entries, not a hint's unit
  std::optional<Grid> hintPosition_;
  int hintLevel_ = 0;
  QSize grownForPanel_;   // what the window grew by when the panel was shown
  QString pendingLabel_;  // names the next change of the boxes, when a menu makes it
};

}  // namespace numplace::app
