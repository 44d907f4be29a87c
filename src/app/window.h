// Form1: every control of the layout table at its place, the drawing surface
// behind them, and the wiring of clicks, cell presses and quick-input keys to
// the engine's handlers.
#pragma once

#include <QHash>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/canvas.h"
#include "app/prompts.h"
#include "board/files.h"
#include "board/layout.h"
#include "board/ports.h"
#include "runs/runs.h"

namespace numplace::app {

// Control texts read and written through the real widgets.
class WidgetControls : public Controls {
 public:
  // Widgets in the order of controlLayout().
  explicit WidgetControls(std::vector<QWidget *> widgets) : widgets_(std::move(widgets)) {}
  std::string text(ControlRef ref) const override;
  void setText(ControlRef ref, std::string_view text) override;
  QWidget *widget(ControlRef ref) const;

 private:
  std::vector<QWidget *> widgets_;
};

class MainWindow : public QWidget {
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
  Ports ports() { return {*controls_, *canvas_, *prompt_, files_}; }

  // Fills the whole grid from a pasted puzzle line (see puzzleFromPaste):
  // digits into their boxes, empty cells empty. False, with nothing changed,
  // when the text is not such a line.
  bool pastePuzzle(const QString &text);

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

  Canvas *canvas_;
  DiskFiles files_;
  std::unique_ptr<WidgetControls> controls_;
  std::unique_ptr<DialogPrompt> dialogPrompt_;
  Prompt *prompt_;
  double scale_ = 1;
  QHash<const QObject *, int> cellIndex_;
  QWidget *quickInput_ = nullptr;
};

}  // namespace numplace::app
