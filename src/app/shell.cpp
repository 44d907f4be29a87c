#include "app/shell.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "app/collection.h"
#include "app/status.h"
#include "app/text.h"
#include "board/input_error.h"
#include "board/layout.h"
#include "numplace/version.h"
#include "runs/painter.h"
#include "script/explanation.h"
#include "script/save.h"

namespace numplace::app {
namespace {

// Typing waits this long for the status bar, so that a check never delays a key.
constexpr int kStatusDelayMs = 150;
constexpr int kMessageMs = 8000;
constexpr int kRecentFiles = 8;
constexpr int kUndoSteps = 1000;
constexpr int kDockWidth = 330;  // pixels; the lines wrap no further

const QString kRecentKey = QStringLiteral("recentFiles");
const QString kExplanationKey = QStringLiteral("view/explanation");

}  // namespace

ShellWindow::ShellWindow(QWidget *parent)
    : QMainWindow(parent),
      form_(new MainWindow(this)),
      examine_([](const Controls &controls, const FileReader &files) { return examinePuzzle(controls, files); }) {
  setObjectName(QStringLiteral("shell"));
  setWindowTitle(form_->windowTitle());
  setCentralWidget(form_);
  form_->leaveEditKeysToMenus(true);
  // Bounded, so that a long session keeps its memory flat.
  undoStack_.setUndoLimit(kUndoSteps);
  history_ = std::make_unique<EntryHistory>(form_->controls(), undoStack_);
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
    scheduleStatus();
  });

  buildDock();
  buildMenus();
  buildStatusBar();
  dock_->setVisible(QSettings().value(kExplanationKey, false).toBool());
  const int dockWidth = dock_->isVisible() ? kDockWidth : 0;
  resize(MainWindow::sizeAt(1) + QSize(dockWidth, menuBar()->sizeHint().height() + statusBar()->sizeHint().height()));
  refreshStatus();
}

ShellWindow::~ShellWindow() = default;

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
  add(file, QStringLiteral("open"), tr("開く(&O)..."), QKeySequence::Open, &ShellWindow::openDialog);
  add(file, QStringLiteral("previous"), tr("前の問題(&P)"), QKeySequence(Qt::ALT | Qt::Key_PageUp),
      [this] { stepCollection(-1); });
  add(file, QStringLiteral("next"), tr("次の問題(&N)"), QKeySequence(Qt::ALT | Qt::Key_PageDown),
      [this] { stepCollection(1); });
  add(file, QStringLiteral("save"), tr("名前を付けて保存(&A)..."), QKeySequence(Qt::CTRL | Qt::Key_S),
      &ShellWindow::saveDialog);
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

  QMenu *view = menuBar()->addMenu(tr("表示(&V)"));
  QAction *panel = dock_->toggleViewAction();
  panel->setObjectName(QStringLiteral("explanation"));
  panel->setText(tr("解き方の説明(&E)"));
  panel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  // Only the user's choice is kept, not the hiding of a closing window.
  connect(panel, &QAction::triggered, this, [](bool shown) { QSettings().setValue(kExplanationKey, shown); });
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
  // Nothing to step through until a collection is open.
  actions_.value(QStringLiteral("previous"))->setEnabled(false);
  actions_.value(QStringLiteral("next"))->setEnabled(false);
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

void ShellWindow::buildDock() {
  dock_ = new QDockWidget(tr("解き方の説明"), this);
  dock_->setObjectName(QStringLiteral("explanationDock"));
  dock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
  explanation_ = new QListWidget(dock_);
  explanation_->setObjectName(QStringLiteral("explanationList"));
  explanation_->setWordWrap(true);
  explanation_->setMinimumWidth(kDockWidth / 2);
  // Wrapped lines get their heights only when the list is laid out: while the
  // last line is the selected one, it stays in view as the heights come in.
  connect(explanation_->verticalScrollBar(), &QScrollBar::rangeChanged, explanation_, [list = explanation_] {
    if (list->count() > 0 && list->currentRow() == list->count() - 1) list->scrollToBottom();
  });
  dock_->setWidget(explanation_);
  dock_->resize(kDockWidth, dock_->height());
  addDockWidget(Qt::RightDockWidgetArea, dock_);
  resizeDocks({dock_}, {kDockWidth}, Qt::Horizontal);
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
  history_->record(label, change == EntryChange::Typing ? box : -1);
  lastRunCurrent_ = false;
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
  static const QStringList kAlwaysOn{QStringLiteral("quit"), QStringLiteral("explanation"), QStringLiteral("manual"),
                                     QStringLiteral("about")};
  for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
    if (!kAlwaysOn.contains(it.key())) it.value()->setEnabled(!busy);
  }
  if (!busy) {
    actions_.value(QStringLiteral("undo"))->setEnabled(undoStack_.canUndo());
    actions_.value(QStringLiteral("redo"))->setEnabled(undoStack_.canRedo());
  }
  recentMenu_->setEnabled(!busy);
}

void ShellWindow::scheduleStatus() { statusTimer_->start(); }

void ShellWindow::refreshStatus() {
  statusTimer_->stop();
  statusLine_.clear();
  report_.reset();
  if (examine_) {
    report_ = examine_(form_->controls(), form_->files());
    const std::optional<RunResult> run = lastRunCurrent_ ? lastRun_ : std::nullopt;
    statusLine_ = statusText(*report_, run);
    solutionButton_->setVisible(unreached(*report_, run));
  }
  if (!collection_.isEmpty()) statusLine_ += (statusLine_.isEmpty() ? QString() : tr("　")) + collectionText();
  status_->setText(statusLine_);
  status_->setToolTip(statusLine_);
  markClashes();
}

void ShellWindow::markClashes() {
  std::vector<QWidget *> marked;
  if (report_ && report_->source.kind == SourceKind::Grid && !report_->badInput) {
    for (const Clash &clash : report_->check.clashes) {
      for (const CellRef &cell : clash.cells)
        marked.push_back(form_->control({"Text15", cellIndex(cell.row, cell.column)}));
    }
  }
  for (const ControlEntry &entry : controlLayout()) {
    if (entry.name != "Text15") continue;
    QWidget *box = form_->control(entry.ref());
    const bool clashing = std::find(marked.begin(), marked.end(), box) != marked.end();
    if (clashing) {
      QPalette red = box->palette();
      red.setColor(QPalette::Text, Qt::red);
      box->setPalette(red);
    } else if (box->testAttribute(Qt::WA_SetPalette)) {
      box->setPalette(QPalette());
    }
  }
}

void ShellWindow::adoptEntries() {
  history_->resync();
  refreshStatus();
}

void ShellWindow::setExamine(Examine examine) {
  examine_ = std::move(examine);
  refreshStatus();
}

QString ShellWindow::collectionText() const {
  return tr("%1 / %2　%3").arg(collectionIndex_ + 1).arg(collection_.size()).arg(QFileInfo(collectionFile_).fileName());
}

void ShellWindow::tell(const QString &message) { statusBar()->showMessage(message, kMessageMs); }

bool ShellWindow::openFile(const QString &path) {
  const OpenedFile opened = readOpenedFile(path);
  switch (opened.kind) {
    case OpenedFile::Kind::Unusable:
      tell(opened.error);
      return false;
    case OpenedFile::Kind::DataFile:
      collection_.clear();
      collectionIndex_ = -1;
      actions_.value(QStringLiteral("previous"))->setEnabled(false);
      actions_.value(QStringLiteral("next"))->setEnabled(false);
      form_->controls().setText({"Text3"}, QFileInfo(path).absoluteFilePath().toStdString());
      history_->record(tr("開く"));
      lastRunCurrent_ = false;
      break;
    case OpenedFile::Kind::Collection:
      collection_ = opened.puzzles;
      collectionFile_ = path;
      collectionIndex_ = -1;
      stepCollection(1);
      break;
  }
  addRecent(QFileInfo(path).absoluteFilePath());
  refreshStatus();
  return true;
}

bool ShellWindow::stepCollection(int delta) {
  const int to = collectionIndex_ + delta;
  if (collection_.isEmpty() || to < 0 || to >= collection_.size()) return false;
  collectionIndex_ = to;
  pendingLabel_ = tr("問題 %1 / %2").arg(to + 1).arg(collection_.size());
  form_->pastePuzzle(collection_[to]);
  pendingLabel_.clear();
  actions_.value(QStringLiteral("previous"))->setEnabled(to > 0);
  actions_.value(QStringLiteral("next"))->setEnabled(to + 1 < collection_.size());
  refreshStatus();
  return true;
}

bool ShellWindow::saveFile(const QString &path) {
  if (const auto error = savePuzzle(form_->controls(), form_->files(), path.toStdString())) {
    tell(tr("保存できません：%1").arg(fromUtf8(*error)));
    return false;
  }
  addRecent(QFileInfo(path).absoluteFilePath());
  tell(tr("%1 に保存しました").arg(QFileInfo(path).fileName()));
  return true;
}

void ShellWindow::copyPuzzle() {
  const PuzzleRead read = readNextPuzzle(form_->controls(), form_->files());
  if (read.badInput) {
    tell(tr("問題を読めません：%1").arg(fromUtf8(inputErrorText(*read.badInput))));
    return;
  }
  QGuiApplication::clipboard()->setText(fromUtf8(gridText(read.givens)));
  tell(tr("問題をコピーしました"));
}

void ShellWindow::copyAnswer() {
  // The last run's board when it is full, else the check's solution.
  if (lastRun_ && lastRunCurrent_ && lastRun_->boardShown &&
      std::find(lastRun_->board.begin(), lastRun_->board.end(), 0) == lastRun_->board.end()) {
    QGuiApplication::clipboard()->setText(fromUtf8(gridText(lastRun_->board)));
    tell(tr("答えをコピーしました"));
    return;
  }
  refreshStatus();
  if (report_ && !report_->badInput && report_->check.solutions == 1 && report_->check.solution) {
    QGuiApplication::clipboard()->setText(fromUtf8(gridText(*report_->check.solution)));
    tell(tr("答えをコピーしました（確かめた解）"));
    return;
  }
  tell(tr("コピーする答えがありません：解が1つの問題ではありません"));
}

bool ShellWindow::pastePuzzle() {
  pendingLabel_ = tr("貼り付け");
  const bool taken = form_->pastePuzzle(QGuiApplication::clipboard()->text());
  pendingLabel_.clear();
  if (!taken) tell(tr("クリップボードの内容は問題ではありません（81文字の1～9、空きマスは0か.）"));
  return taken;
}

bool ShellWindow::showSolution() {
  refreshStatus();
  if (!report_ || report_->badInput || report_->check.solutions != 1 || !report_->check.solution) {
    tell(tr("表示する解がありません：解が1つの問題ではありません"));
    return false;
  }
  // The answer run's board, drawn by the same code as the runs draw it.
  BoardCells board{};
  for (int k = 0; k < 81; ++k) board[k / 9 + 1][k % 9 + 1] = (*report_->check.solution)[static_cast<std::size_t>(k)];
  drawBoard(form_->canvas(), board, digitColours(ColourScheme::Answer), BoardDigits::Print);
  form_->canvas().update();
  return true;
}

QStringList ShellWindow::recentFiles() const { return QSettings().value(kRecentKey).toStringList(); }

void ShellWindow::addRecent(const QString &path) {
  QStringList files = recentFiles();
  files.removeAll(path);
  files.prepend(path);
  while (files.size() > kRecentFiles) files.removeLast();
  QSettings().setValue(kRecentKey, files);
  fillRecentMenu();
}

void ShellWindow::fillRecentMenu() {
  recentMenu_->clear();
  const QStringList files = recentFiles();
  for (int i = 0; i < files.size(); ++i) {
    const QString &path = files[i];
    QAction *open = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    open->setToolTip(path);
    connect(open, &QAction::triggered, this, [this, path] { openFile(path); });
  }
  recentMenu_->setEnabled(!files.isEmpty());
}

void ShellWindow::openDialog() {
  const QString path = QFileDialog::getOpenFileName(this, tr("開く"), QString(),
                                                    tr("問題のファイル (*.csv *.txt *.sdm);;すべてのファイル (*)"));
  if (!path.isEmpty()) openFile(path);
}

void ShellWindow::saveDialog() {
  QString path = QFileDialog::getSaveFileName(this, tr("名前を付けて保存"), QString(), tr("データファイル (*.csv)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
  saveFile(path);
}

void ShellWindow::showManual() {
  auto *dialog = new QDialog(this);
  dialog->setObjectName(QStringLiteral("manual"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(tr("使い方"));
  auto *text = new QTextBrowser(dialog);
  text->setHtml(tr(
      "<h3>問題を入れる</h3>"
      "<p>盤面のマスに数字を打つか、マスをクリックして数字を1ずつ進めます（クリックのあと数字を打つと置き換わります）。"
      "81文字の問題（1～9、空きマスは0か.）は、マスに貼り付けるか［編集］→［貼り付け］で盤面全体に入ります。"
      "行データの欄には1行9桁の数を、「入力データ名」にはデータファイルの名前を入れます。"
      "盤面に空の行が3行以上あると盤面は使われず、行データ、それも空ならデータファイルを読みます。</p>"
      "<h3>4つのボタン</h3>"
      "<p><b>答</b>：一気に解いて答えを描きます。<b>1 STEP</b>：一手ずつ、問い合わせに答えながら進みます。"
      "<b>参考1</b>：1 STEP と同じ進め方で、ペアの仲間も示します。<b>参考2</b>：ペアを使って解き、区切りで止まります。"
      "問い合わせでは、キャンセル（Esc）は次へ進み、<b>中止</b>はその場で実行を終えます。<b>消去</"
      "b>は入力を空にします。</p>"
      "<h3>ステータスバー</h3>"
      "<p>次の実行が読む問題（盤面、行データ、データファイル）と、その問題の解の数を示します。"
      "解が1つなら難しさ、複数なら解が分かれるマス、解がなければぶつかっている数字（赤で表示）を示します。"
      "解が1つなのにこのプログラムが解けなかったときは［解を表示］で解を盤面に描きます。</p>"
      "<h3>メニュー</h3>"
      "<p><b>ファイル</"
      "b>：データファイルや問題集（1行に1問）を開く、問題集の前後の問題、名前を付けて保存、最近使ったファイル。"
      "<b>編集</b>：元に戻す／やり直し（入力、クリック、貼り付け、消去）、問題と答えのコピー、貼り付け。"
      "<b>表示</b>：解き方の説明（最後の実行の手順）、解を表示。</p>"));
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
  connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
  auto *layout = new QVBoxLayout(dialog);
  layout->addWidget(text);
  layout->addWidget(buttons);
  dialog->resize(560, 520);
  dialog->show();
}

void ShellWindow::showAbout() {
  auto *box = new QMessageBox(
      QMessageBox::Information, tr("バージョン情報"),
      tr("numplace %1\n\n数独（ナンバープレース）を解き、解き方を見せるプログラム。\n\n"
         "Qt %2（実行時 %3）\nライセンス：リポジトリの README を参照してください。")
          .arg(QString::fromLatin1(kNumplaceVersion), QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion())),
      QMessageBox::Close, this);
  box->setObjectName(QStringLiteral("about"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void ShellWindow::placeOnScreen() {
  const QScreen *where = screen();
  if (where == nullptr) return;
  const QRect available = where->availableGeometry();
  // Everything around the form: the menu bar and status bar above and
  // below, the explanation panel at the side when it is shown.
  const QSize around(dock_->isVisible() ? std::max(dock_->width(), kDockWidth) : 0,
                     menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
  const double fit = MainWindow::scaleToFit(available.size() - around, MainWindow::frameOf(*this));
  resize(MainWindow::sizeAt(fit) + around);
  move(available.topLeft());
}

void ShellWindow::closeEvent(QCloseEvent *event) {
  form_->abandonPrompt();
  QMainWindow::closeEvent(event);
}

}  // namespace numplace::app
