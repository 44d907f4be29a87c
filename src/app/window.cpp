#include "app/window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <optional>

#include "app/boxes.h"
#include "app/fonts.h"
#include "app/input.h"
#include "app/prompts.h"
#include "app/text.h"
#include "board/layout.h"
#include "entry/entry.h"
#include "runs/runs.h"

namespace numplace::app {
namespace {

constexpr std::string_view kCellGrid = controls::Text15.name;
constexpr std::string_view kQuickInput = controls::Text7.name;
constexpr ControlRef kDataFileName = controls::Text3;

// The scales the user can take the window to by resizing it.
constexpr double kSmallestScale = 0.3;
constexpr double kLargestScale = 4;
// The frame of a window manager, until the real one is known: borders and a title bar.
constexpr QMargins kFrameGuess{2, 28, 2, 2};

// Where a control stands at a scale. Both edges are rounded, so controls
// that share an edge in the table still share it at every scale.
QRect scaledRect(const ControlEntry &control, double scale) {
  const auto pixels = [scale](int twips) { return qRound(twips * scale / kTwipsPerPixel); };
  return {QPoint(pixels(control.left), pixels(control.top)),
          QPoint(pixels(control.left + control.width) - 1, pixels(control.top + control.height) - 1)};
}

// The character code a key press hands to the quick-input handler; nothing for
// keys that type no character (shift, arrows) and for Tab, which only moves on.
std::optional<int> characterCode(const QKeyEvent &event) {
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return kEnterKey;
  if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return std::nullopt;
  const QList<uint> code = event.text().toUcs4();
  if (code.isEmpty()) return std::nullopt;
  return static_cast<int>(code.front());
}

}  // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent),
      canvas_(new Canvas(this)),
      dialogPrompt_(std::make_unique<DialogPrompt>(this, [this] { return scale_; })),
      prompt_(dialogPrompt_.get()) {
  setWindowTitle(fromUtf8(kWindowCaption));
  setMinimumSize(sizeAt(kSmallestScale));
  QPalette background = palette();
  background.setColor(QPalette::Window, Qt::white);
  setPalette(background);

  // A data file dropped anywhere on the window names the puzzle source.
  setAcceptDrops(true);
  canvas_->setAccessibleName(QStringLiteral("盤面と解き方の表示"));

  const CellBox::FillGrid fillGrid = [this](const QString &text) {
    return pasteHandler_ ? pasteHandler_(text) : pastePuzzle(text);
  };
  std::vector<QWidget *> widgets;
  QWidget *firstInTabOrder = nullptr;
  QWidget *previousInTabOrder = nullptr;
  for (const ControlEntry &entry : controlLayout()) {
    QWidget *widget = makeControl(entry, this, fillGrid);
    widgets.push_back(widget);
    // The text boxes take dropped text themselves; a dropped file goes to the window.
    if (entry.kind == ControlKind::TextBox) {
      widget->installEventFilter(this);
      connect(static_cast<QLineEdit *>(widget), &QLineEdit::textEdited, this,
              [this, box = static_cast<int>(widgets.size()) - 1] { Q_EMIT entryChanged(EntryChange::Typing, box); });
    }
    // Label1 overlaps the top edge of Text3; a box is never hidden by a label.
    if (entry.kind == ControlKind::Label) widget->lower();
    if (entry.kind == ControlKind::Button) {
      connect(static_cast<QPushButton *>(widget), &QPushButton::clicked, this,
              [this, name = entry.name] { runButton(name); });
    }
    if (entry.name == kCellGrid) {
      cellIndex_.insert(widget, entry.index);
    } else if (entry.name == kQuickInput) {
      quickInput_ = widget;
    }
    if (entry.inTabOrder) {
      if (previousInTabOrder == nullptr) {
        firstInTabOrder = widget;
      } else {
        setTabOrder(previousInTabOrder, widget);
      }
      previousInTabOrder = widget;
    }
  }
  // The surface lies beneath everything.
  canvas_->lower();
  controls_ = std::make_unique<WidgetControls>(std::move(widgets));
  layOut();
  resize(sizeAt(scale_));
  if (firstInTabOrder != nullptr) firstInTabOrder->setFocus();
}

MainWindow::~MainWindow() = default;

QSize MainWindow::sizeAt(double scale) {
  return {qRound(kClientWidth / kTwipsPerPixel * scale), qRound(kClientHeight / kTwipsPerPixel * scale)};
}

double MainWindow::scaleToFit(QSize available, QMargins frame) {
  const QSize full = sizeAt(1);
  const double wide = static_cast<double>(available.width() - frame.left() - frame.right()) / full.width();
  const double high = static_cast<double>(available.height() - frame.top() - frame.bottom()) / full.height();
  return std::clamp(std::min(wide, high), kSmallestScale, 1.0);
}

void MainWindow::setScale(double scale) {
  scale = std::clamp(scale, kSmallestScale, kLargestScale);
  if (scale == scale_) return;
  scale_ = scale;
  layOut();
}

// The one place where the layout table becomes pixels and point sizes.
void MainWindow::layOut() {
  setFont(windowFont(kWindowFontSize * scale_));
  for (const ControlEntry &entry : controlLayout()) {
    QWidget *widget = controls_->widget(entry.ref());
    widget->setGeometry(scaledRect(entry, scale_));
    const double points = entry.fontSize * scale_;
    widget->setFont(entry.kind == ControlKind::TextBox ? narrowFont(points) : windowFont(points));
  }
  // A label lies beneath the boxes; its caption keeps to the rows above them.
  for (const ControlEntry &label : controlLayout()) {
    if (label.kind != ControlKind::Label) continue;
    auto *widget = static_cast<CaptionLabel *>(controls_->widget(label.ref()));
    int rows = widget->height();
    for (const ControlEntry &other : controlLayout()) {
      const QRect covering = controls_->widget(other.ref())->geometry();
      if (other.kind != ControlKind::Label && covering.intersects(widget->geometry()) && covering.top() > widget->y()) {
        rows = std::min(rows, covering.top() - widget->y());
      }
    }
    widget->setVisibleHeight(rows);
  }
  canvas_->setGeometry(QRect(QPoint(0, 0), sizeAt(scale_)));
  canvas_->setScale(scale_);
}

void MainWindow::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  const QSize full = sizeAt(1);
  setScale(std::min(static_cast<double>(width()) / full.width(), static_cast<double>(height()) / full.height()));
}

QMargins MainWindow::frameOf(const QWidget &window) {
  // Known once a window manager has framed the shown window.
  const QWindow *handle = window.windowHandle();
  return handle != nullptr && handle->isVisible() && !handle->frameMargins().isNull() ? handle->frameMargins()
                                                                                      : kFrameGuess;
}

void MainWindow::placeOnScreen() {
  const QScreen *where = screen();
  if (where == nullptr) return;
  const QRect available = where->availableGeometry();
  const double fit = scaleToFit(available.size(), frameOf(*this));
  setScale(fit);
  resize(sizeAt(fit));
  move(available.topLeft());
}

void MainWindow::setPrompt(Prompt *prompt) { prompt_ = prompt != nullptr ? prompt : dialogPrompt_.get(); }

bool MainWindow::pastePuzzle(const QString &text) {
  const std::optional<QString> cells = puzzleFromPaste(text);
  if (!cells) return false;
  for (int k = 0; k < 81; ++k) {
    const QChar cell = cells->at(k);
    controls_->setText({kCellGrid, cellIndex(k / 9 + 1, k % 9 + 1)},
                       cell == u'.' ? std::string() : std::string(1, static_cast<char>(cell.unicode())));
  }
  Q_EMIT entryChanged(EntryChange::Paste, -1);
  return true;
}

bool MainWindow::takeDrag(QDropEvent *event) {
  const QString file = droppedFile(event->mimeData());
  // Only the name is taken: never a move, which would let the source delete the file.
  const Qt::DropActions possible = event->possibleActions();
  const Qt::DropAction action = possible.testFlag(Qt::CopyAction)   ? Qt::CopyAction
                                : possible.testFlag(Qt::LinkAction) ? Qt::LinkAction
                                                                    : Qt::IgnoreAction;
  if (file.isEmpty() || action == Qt::IgnoreAction) return false;
  event->setDropAction(action);
  event->accept();
  if (event->type() == QEvent::Drop) {
    controls_->setText(kDataFileName, file.toStdString());
    Q_EMIT entryChanged(EntryChange::Drop, controlPosition(kDataFileName));
  }
  return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event) { takeDrag(event); }

void MainWindow::dragMoveEvent(QDragMoveEvent *event) { takeDrag(event); }

void MainWindow::dropEvent(QDropEvent *event) { takeDrag(event); }

bool MainWindow::eventFilter(QObject *watched, QEvent *event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      if (takeDrag(static_cast<QDropEvent *>(event))) return true;
      break;
    // The second press of a double click arrives as a double-click event only.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      const auto cell = cellIndex_.constFind(watched);
      if (cell != cellIndex_.constEnd()) {
        const auto *press = static_cast<const QMouseEvent *>(event);
        const auto *box = static_cast<const QLineEdit *>(watched);
        const QString before = box->text();
        pressCell(*controls_, *cell, press->position().x() * kTwipsPerPixel / scale_);
        stepsCell_ = box->text() != before;
        if (stepsCell_) Q_EMIT entryChanged(EntryChange::CellPress, controlPosition({kCellGrid, *cell}));
      }
      break;
    }
    // The box has put its cursor where the press was; a digit stepped by the
    // press is selected, so that typing replaces it.
    case QEvent::MouseButtonRelease:
      if (stepsCell_ && cellIndex_.contains(watched)) {
        stepsCell_ = false;
        static_cast<QLineEdit *>(watched)->selectAll();
      }
      break;
    // Not taken by the box, the keys reach the window's shortcuts.
    case QEvent::ShortcutOverride:
      if (editKeysToMenus_) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        const auto *box = qobject_cast<const QLineEdit *>(watched);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            (key->matches(QKeySequence::Copy) && box != nullptr && !box->hasSelectedText())) {
          return true;
        }
        const QKeySequence pressed(key->keyCombination());
        if (std::any_of(menuKeys_.cbegin(), menuKeys_.cend(),
                        [&](const QKeySequence &keys) { return keys.matches(pressed) == QKeySequence::ExactMatch; })) {
          return true;
        }
      }
      break;
    case QEvent::KeyPress:
      if (watched == quickInput_) {
        if (const auto code = characterCode(*static_cast<const QKeyEvent *>(event))) {
          quickInputKey(*controls_, *code);
          Q_EMIT entryChanged(EntryChange::QuickInput, -1);
        }
      }
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent *event) {
  abandonPrompt();
  QWidget::closeEvent(event);
}

void MainWindow::abandonPrompt() { dialogPrompt_->abandon(); }

void MainWindow::runButton(std::string_view name) {
  const auto button = buttonNamed(name);
  if (!button) return;
  if (*button == Button::Clear) {
    clearEntry(*controls_);
    Q_EMIT entryChanged(EntryChange::Clear, -1);
    return;
  }
  runAnalysis(*button);
}

void MainWindow::runAnalysis(Button button) {
  RunResult result;
  running_ = &result;
  Q_EMIT runStarted();
  Ports runPorts = ports();
  bool stopped = false;
  try {
    runAnalysisInto(runPorts, button, kRunOptions, result);
  } catch (const RunAbandoned &) {
    // The window was closed at a prompt: the run ends where it stood, as with 中止.
    stopped = true;
  } catch (const RunStopped &) {
    stopped = true;
  }
  running_ = nullptr;
  Q_EMIT runEnded(result, stopped);
}

std::optional<std::string> MainWindow::ProgressPrompt::ask(const PromptRequest &request) {
  if (window_.running_ != nullptr) Q_EMIT window_.runProgress(*window_.running_);
  return window_.prompt_->ask(request);
}

}  // namespace numplace::app
