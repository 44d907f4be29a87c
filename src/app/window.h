// Form1: every control of the layout table at its place, the drawing surface
// behind them, and the wiring of clicks, cell presses and quick-input keys to
// the engine's handlers.
#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "app/canvas.h"
#include "app/form_controls.h"
#include "app/prompts.h"
#include "board/files.h"
#include "board/layout.h"
#include "board/ports.h"
#include "runs/runs.h"

namespace numplace::app {

// What the user changed in the entry boxes, for the undo history.
enum class EntryChange { Typing, CellPress, QuickInput, Paste, Clear, Drop };

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget *parent = nullptr);
  ~MainWindow() override;

  // Everything in the window, controls, fonts and drawing, is shown at
  // scale() times the size the layout table gives (1016 x 734 pixels at 1).
  // The window follows its size: a resize by the user rescales the contents,
  // aspect kept.
  double scale() const { return scale_; }
  void setScale(double scale);
  static QSize sizeAt(double scale);
  // The largest scale, at most 1, at which the window and its frame fit
  // into `available`.
  static double scaleToFit(QSize available, QMargins frame);
  // The frame a window manager put around `window`, or a guess at it while
  // the window is not yet framed.
  static QMargins frameOf(const QWidget &window);
  // Puts the window at the top-left corner of its screen's available area,
  // at scale 1 or smaller if it would not fit there: the prompts, placed
  // from the screen's corner, then stand where they were meant to relative
  // to it. Before the window is shown its frame is guessed; call it again
  // once the window manager has framed it.
  void placeOnScreen();

  // Nothing the answer run draws during its cycles can be seen (the window
  // repaints when the run is over), so it leaves out the per-cycle grid.
  static constexpr RunOptions kRunOptions{.skipCycleGrid = true};

  WidgetControls &controls() { return *controls_; }
  Canvas &canvas() { return *canvas_; }
  // The widget of a control, or nullptr when the window has none by that name.
  QWidget *control(ControlRef ref) const { return controls_->widget(ref); }

  // The prompt that the runs ask; nullptr brings back the modal dialog.
  void setPrompt(Prompt *prompt);
  Prompt *prompt() const { return prompt_; }
  Ports ports() { return {*controls_, *canvas_, progressPrompt_, files_}; }
  const FileReader &files() const { return files_; }

  // Fills the whole grid from a pasted puzzle line (see puzzleFromPaste):
  // digits into their boxes, empty cells empty. False, with nothing changed,
  // when the text is not such a line. A window with a puzzle document hands
  // the line to it instead (setPasteHandler), which loads it as a new puzzle.
  bool pastePuzzle(const QString &text);
  void setPasteHandler(std::function<bool(const QString &)> handler) { pasteHandler_ = std::move(handler); }

  // True while a run started from a button waits at a prompt.
  bool running() const { return running_ != nullptr; }
  // Closes the open prompt, if any: its run ends (as closing the window does).
  void abandonPrompt();
  // In a window with an Edit menu: the undo and redo keys, and the copy key
  // where nothing is selected, go to the menu's actions instead of the box.
  void leaveEditKeysToMenus(bool leave) { editKeysToMenus_ = leave; }
  // Keys that go to the menus wherever the focus is, a box included (the
  // boxes would take Ctrl+E and others for themselves).
  void setMenuKeys(QList<QKeySequence> keys) { menuKeys_ = std::move(keys); }

 Q_SIGNALS:
  // The user changed the entry boxes: typed into `box` (its place in the
  // layout table; -1 for changes to several boxes), pressed a cell, pasted.
  void entryChanged(numplace::app::EntryChange change, int box);
  // A button started an analysis run.
  void runStarted();
  // The run so far, as a prompt of the run opens.
  void runProgress(const numplace::RunResult &soFar);
  // An analysis run ended: to its end, or `stopped` by the user with 中止 or
  // by closing the window at a prompt.
  void runEnded(const numplace::RunResult &result, bool stopped);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  // Closing ends the program at once, also in the middle of a run that waits at a prompt.
  void closeEvent(QCloseEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;

 private:
  void layOut();
  void runButton(std::string_view name);
  // Accepts a drag that carries a local file and, on the drop, puts the
  // file's path into Text3. False for any other drag.
  bool takeDrag(QDropEvent *event);
  void runAnalysis(Button button);

  // Hands every prompt to the current prompt, telling of the run so far first.
  class ProgressPrompt : public Prompt {
   public:
    explicit ProgressPrompt(MainWindow &window) : window_(window) {}
    std::optional<std::string> ask(const PromptRequest &request) override;

   private:
    MainWindow &window_;
  };

  Canvas *canvas_;
  DiskFiles files_;
  std::unique_ptr<WidgetControls> controls_;
  std::unique_ptr<DialogPrompt> dialogPrompt_;
  Prompt *prompt_;
  ProgressPrompt progressPrompt_{*this};
  RunResult *running_ = nullptr;
  bool stepsCell_ = false;  // the last press on a cell box changed its digit
  bool editKeysToMenus_ = false;
  QList<QKeySequence> menuKeys_;
  std::function<bool(const QString &)> pasteHandler_;
  double scale_ = 1;
  QHash<const QObject *, int> cellIndex_;
  QWidget *quickInput_ = nullptr;
};

}  // namespace numplace::app
