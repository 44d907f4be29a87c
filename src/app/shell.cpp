#include "app/shell.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include "app/status.h"
#include "app/text.h"
#include "board/layout.h"
#include "script/explanation.h"

namespace numplace::app {
namespace {

// Typing waits this long for the status bar, so that a check never delays a key.
constexpr int kStatusDelayMs = 150;
constexpr int kUndoSteps = 1000;
// How long a message given again as the window first shows stays.
constexpr int kShownMessageMs = 15000;

const QString kExplanationKey = QStringLiteral("view/explanation");

}  // namespace

ShellWindow::ShellWindow(QWidget *parent)
    : QMainWindow(parent),
      form_(new MainWindow(this)),
      examine_([](const Controls &controls, const FileReader &files) { return examinePuzzle(controls, files); }) {
  setObjectName(QStringLiteral("shell"));
  setCentralWidget(form_);
  form_->leaveEditKeysToMenus(true);
  form_->setPasteHandler([this](const QString &text) { return pasteText(text); });
  // Bounded, so that a long session keeps its memory flat.
  undoStack_.setUndoLimit(kUndoSteps);
  history_ = std::make_unique<EntryHistory>(form_->controls(), undoStack_, document_, form_->canvas());
  loader_ = std::make_unique<Loader>(*this);
  statusTimer_ = new QTimer(this);
  statusTimer_->setSingleShot(true);
  statusTimer_->setInterval(kStatusDelayMs);
  connect(statusTimer_, &QTimer::timeout, this, &ShellWindow::refreshStatus);

  connect(form_, &MainWindow::entryChanged, this, &ShellWindow::entryChanged);
  connect(form_, &MainWindow::runStarted, this, &ShellWindow::runStarted);
  connect(form_, &MainWindow::runProgress, this, &ShellWindow::runProgress);
  connect(form_, &MainWindow::runEnded, this, &ShellWindow::runEnded);
  connect(&undoStack_, &QUndoStack::indexChanged, this, [this] {
    lastRunCurrent_ = false;
    forgetMarks();
    updateActions();
    updateTitle();
    scheduleStatus();
  });

  buildDock();
  buildMenus();
  buildStatusBar();
  const bool panel = QSettings().value(kExplanationKey, false).toBool();
  dock_->setVisible(panel);
  const int dockWidth = panel ? dock_->width() : 0;
  resize(MainWindow::sizeAt(1) + QSize(dockWidth, menuBar()->sizeHint().height() + statusBar()->sizeHint().height()));
  updateTitle();
  refreshStatus();
}

QAction *ShellWindow::action(const QString &name) const { return actions_.value(name); }

void ShellWindow::buildMenus() {
  const auto add = [this](QMenu *menu, const QString &name, const QString &text, const QKeySequence &keys, auto slot) {
    auto *action = menu->addAction(text);
    action->setObjectName(name);
    if (!keys.isEmpty()) action->setShortcut(keys);
    connect(action, &QAction::triggered, this, slot);
    actions_.insert(name, action);
    return action;
  };

  QMenu *file = menuBar()->addMenu(tr("ファイル(&F)"));
  add(file, QStringLiteral("newPuzzle"), tr("新しい問題(&W)..."), QKeySequence::New, &ShellWindow::newPuzzleDialog);
  add(file, QStringLiteral("newCollection"), tr("問題集を作る(&M)..."), QKeySequence(),
      &ShellWindow::newCollectionDialog);
  add(file, QStringLiteral("open"), tr("開く(&O)..."), QKeySequence::Open, &ShellWindow::openDialog);
  add(file, QStringLiteral("previous"), tr("前の問題(&P)"), QKeySequence(Qt::ALT | Qt::Key_PageUp),
      [this] { stepCollection(-1); });
  add(file, QStringLiteral("next"), tr("次の問題(&N)"), QKeySequence(Qt::ALT | Qt::Key_PageDown),
      [this] { stepCollection(1); });
  add(file, QStringLiteral("save"), tr("名前を付けて保存(&A)..."), QKeySequence(Qt::CTRL | Qt::Key_S),
      &ShellWindow::saveDialog);
  add(file, QStringLiteral("saveProgress"), tr("途中経過を保存(&G)..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
      &ShellWindow::saveProgressDialog);
  file->addSeparator();
  add(file, QStringLiteral("print"), tr("印刷(&P)..."), QKeySequence::Print, &ShellWindow::printDialog);
  add(file, QStringLiteral("exportPdf"), tr("PDF に書き出す(&D)..."), QKeySequence(), &ShellWindow::exportPdfDialog);
  add(file, QStringLiteral("savePicture"), tr("画像として保存(&I)..."), QKeySequence(),
      &ShellWindow::savePictureDialog);
  file->addSeparator();
  recentMenu_ = file->addMenu(tr("最近使ったファイル(&R)"));
  recentMenu_->setObjectName(QStringLiteral("recent"));
  connect(recentMenu_, &QMenu::aboutToShow, this, &ShellWindow::fillRecentMenu);
  file->addSeparator();
  add(file, QStringLiteral("quit"), tr("終了(&X)"), QKeySequence::Quit, &QWidget::close);

  QMenu *edit = menuBar()->addMenu(tr("編集(&E)"));
  QAction *undo = undoStack_.createUndoAction(this, tr("元に戻す(&U)"));
  undo->setObjectName(QStringLiteral("undo"));
  undo->setShortcut(QKeySequence::Undo);
  edit->addAction(undo);
  actions_.insert(undo->objectName(), undo);
  QAction *redo = undoStack_.createRedoAction(this, tr("やり直し(&R)"));
  redo->setObjectName(QStringLiteral("redo"));
  redo->setShortcuts(QKeySequence::Redo);
  edit->addAction(redo);
  actions_.insert(redo->objectName(), redo);
  edit->addSeparator();
  add(edit, QStringLiteral("copyPuzzle"), tr("問題をコピー(&C)"), QKeySequence::Copy, &ShellWindow::copyPuzzle);
  add(edit, QStringLiteral("copyAnswer"), tr("答えをコピー(&A)"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
      &ShellWindow::copyAnswer);
  add(edit, QStringLiteral("paste"), tr("貼り付け(&P)"), QKeySequence::Paste, [this] { pastePuzzle(); });
  edit->addSeparator();
  add(edit, QStringLiteral("fixGivens"), tr("この盤面を問題にする(&G)"), QKeySequence(), &ShellWindow::fixGivens);
  add(edit, QStringLiteral("checkEntries"), tr("答え合わせ(&K)"), QKeySequence(Qt::CTRL | Qt::Key_K),
      [this] { checkEntries(); });
  add(edit, QStringLiteral("hint"), tr("ヒント(&H)"), QKeySequence(Qt::CTRL | Qt::Key_H), [this] { giveHint(); });

  QMenu *view = menuBar()->addMenu(tr("表示(&V)"));
  QAction *panel = dock_->toggleViewAction();
  panel->setObjectName(QStringLiteral("explanation"));
  panel->setText(tr("解き方の説明(&E)"));
  panel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  // Only the user's choice is kept, not the hiding of a closing window.
  connect(panel, &QAction::triggered, this, [this](bool shown) {
    QSettings().setValue(kExplanationKey, shown);
    placePanel(shown);
  });
  view->addAction(panel);
  actions_.insert(panel->objectName(), panel);
  add(view, QStringLiteral("showSolution"), tr("解を表示(&S)"), QKeySequence(), [this] { showSolution(); });

  QMenu *help = menuBar()->addMenu(tr("ヘルプ(&H)"));
  add(help, QStringLiteral("manual"), tr("使い方(&M)"), QKeySequence::HelpContents, &ShellWindow::showManual);
  add(help, QStringLiteral("about"), tr("バージョン情報(&A)"), QKeySequence(), &ShellWindow::showAbout);
  fillRecentMenu();
  // A right click on the form's background offers the edit actions.
  form_->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto *separator = new QAction(this);
  separator->setSeparator(true);
  form_->addActions({undo, redo, separator, actions_.value(QStringLiteral("copyPuzzle")),
                     actions_.value(QStringLiteral("copyAnswer")), actions_.value(QStringLiteral("paste")),
                     actions_.value(QStringLiteral("showSolution"))});
  // The menus' keys work wherever the focus is, except those a box needs
  // for its own text (copy, cut, paste, select all, undo and redo, which the
  // form hands on as it sees fit).
  QList<QKeySequence> keys;
  for (const QAction *menuAction : std::as_const(actions_)) {
    for (const QKeySequence &key : menuAction->shortcuts()) {
      if (key.matches(QKeySequence::Paste) == QKeySequence::ExactMatch ||
          key.matches(QKeySequence::Copy) == QKeySequence::ExactMatch) {
        continue;
      }
      keys << key;
    }
  }
  form_->setMenuKeys(keys);
  updateActions();
}

void ShellWindow::buildStatusBar() {
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("statusText"));
  status_->setTextFormat(Qt::PlainText);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  statusBar()->addWidget(status_, 1);
  solutionButton_ = new QPushButton(tr("解を表示"), this);
  solutionButton_->setObjectName(QStringLiteral("showSolutionButton"));
  solutionButton_->setVisible(false);
  connect(solutionButton_, &QPushButton::clicked, this, [this] { showSolution(); });
  statusBar()->addPermanentWidget(solutionButton_);
}

void ShellWindow::entryChanged(EntryChange change, int box) {
  QString label = pendingLabel_;
  if (label.isEmpty()) {
    switch (change) {
      case EntryChange::Typing:
        label = tr("入力");
        break;
      case EntryChange::CellPress:
        label = tr("マスのクリック");
        break;
      case EntryChange::QuickInput:
        label = tr("行の入力");
        break;
      case EntryChange::Paste:
        label = tr("貼り付け");
        break;
      case EntryChange::Clear:
        label = tr("消去");
        break;
      case EntryChange::Drop:
        label = tr("データファイル名");
        break;
    }
  }
  if (pendingLabel_.isEmpty()) document_.edited();
  history_->record(label, change == EntryChange::Typing ? box : -1);
  forgetMarks();
  lastRunCurrent_ = false;
  if (change == EntryChange::Clear) {
    // 消去 empties the grid and the row boxes only; say what it kept.
    tell(tr("消去：盤面と行データを空にしました。追加 1・追加 2 と描かれた図はそのままです"));
  }
  updateTitle();
  scheduleStatus();
}

void ShellWindow::runStarted() {
  setBusy(true);
  explanation_->clear();
  statusTimer_->stop();
}

void ShellWindow::runProgress(const RunResult &soFar) {
  // The placements so far of a step run, the newest selected and in view.
  explanation_->clear();
  for (const PlacementRecord &p : soFar.placements) explanation_->addItem(fromUtf8(explainStep(p)));
  selectLastLine();
}

void ShellWindow::selectLastLine() {
  if (explanation_->count() == 0) return;
  explanation_->setCurrentRow(explanation_->count() - 1);
  explanation_->scrollToBottom();
}

void ShellWindow::runEnded(const RunResult &result, bool stopped) {
  lastRun_ = result;
  lastRunCurrent_ = !stopped;
  document_.runEnded(result);
  // What the run wrote into the boxes (the trial code, the step log) is not a step to undo.
  history_->resync();
  if (stopped) {
    explanation_->clear();
    for (const PlacementRecord &p : result.placements) explanation_->addItem(fromUtf8(explainStep(p)));
    explanation_->addItem(tr("中止：ここで実行を終えました"));
  } else {
    showExplanation(result);
  }
  selectLastLine();
  setBusy(false);
  refreshStatus();
}

void ShellWindow::showExplanation(const RunResult &result) {
  explanation_->clear();
  for (const std::string &line : explainRun(result).lines()) explanation_->addItem(fromUtf8(line));
}

void ShellWindow::setBusy(bool busy) {
  busy_ = busy;
  updateActions();
}

void ShellWindow::updateActions() {
  static const QStringList kAlwaysOn{QStringLiteral("quit"), QStringLiteral("explanation"), QStringLiteral("manual"),
                                     QStringLiteral("about")};
  for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
    if (!kAlwaysOn.contains(it.key())) it.value()->setEnabled(!busy_);
  }
  if (recentMenu_ != nullptr) recentMenu_->setEnabled(!busy_ && !recentFiles().isEmpty());
  if (busy_) return;
  actions_.value(QStringLiteral("undo"))->setEnabled(undoStack_.canUndo());
  actions_.value(QStringLiteral("redo"))->setEnabled(undoStack_.canRedo());
  const int at = document_.state().collectionIndex;
  actions_.value(QStringLiteral("previous"))->setEnabled(document_.hasCollection() && at > 0);
  actions_.value(QStringLiteral("next"))->setEnabled(document_.hasCollection() && at + 1 < collectionSize());
}

void ShellWindow::scheduleStatus() { statusTimer_->start(); }

void ShellWindow::refreshStatus() {
  statusTimer_->stop();
  statusLine_.clear();
  report_.reset();
  beyond_ = {};
  if (examine_) {
    report_ = examine_(form_->controls(), form_->files());
    beyond_ = describeBeyondGrid(form_->controls(), form_->files(), *report_, document_.state().answerTrial);
    const std::optional<RunResult> run = lastRunCurrent_ ? lastRun_ : std::nullopt;
    statusLine_ = statusText(*report_, run, beyond_);
    solutionButton_->setVisible(unreached(*report_, run));
  }
  if (document_.showsCollectionPuzzle(form_->controls())) {
    statusLine_ += (statusLine_.isEmpty() ? QString() : tr("　")) + collectionText();
  }
  status_->setText(statusLine_);
  status_->setToolTip(statusLine_);
  colourBoxes();
  updateTitle();
}

void ShellWindow::adoptEntries() {
  history_->resync();
  updateActions();
  refreshStatus();
}

void ShellWindow::setExamine(Examine examine) {
  examine_ = std::move(examine);
  refreshStatus();
}

void ShellWindow::showEvent(QShowEvent *event) {
  QMainWindow::showEvent(event);
  // A message given before the window was first shown (a scripted hint)
  // did not hide the status line, which only a visible bar does: both would
  // be drawn over each other. Given again (the bar ignores the same text
  // twice, hence the clearing), it hides it.
  if (QStatusBar *bar = statusBar(); !bar->currentMessage().isEmpty() && status_->isVisible()) {
    const QString message = bar->currentMessage();
    bar->clearMessage();
    bar->showMessage(message, kShownMessageMs);
  }
}

void ShellWindow::closeEvent(QCloseEvent *event) {
  form_->abandonPrompt();
  QMainWindow::closeEvent(event);
}

}  // namespace numplace::app
