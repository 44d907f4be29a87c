// The main window's puzzle document: loading a puzzle (開く, a collection
// step, 貼り付け, a recent file), saving it, copying it, and the title bar
// that names it.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>

#include "app/collection.h"
#include "app/shell.h"
#include "app/text.h"
#include "board/files.h"
#include "board/input_error.h"
#include "runs/painter.h"
#include "script/explanation.h"
#include "script/save.h"

namespace numplace::app {
namespace {

constexpr int kMessageMs = 8000;
constexpr int kRecentFiles = 8;
const QString kRecentKey = QStringLiteral("recentFiles");

}  // namespace

std::optional<std::string> ShellWindow::Loader::open(const std::string &path) {
  if (shell_.openFile(fromUtf8(path))) return std::nullopt;
  return shell_.statusBar()->currentMessage().toStdString();
}
bool ShellWindow::Loader::step(int delta) { return shell_.stepCollection(delta); }
bool ShellWindow::Loader::paste(std::string_view text) { return shell_.pasteText(fromUtf8(text)); }
void ShellWindow::Loader::runEnded(const RunResult &result) { shell_.document_.runEnded(result); }

ShellWindow::~ShellWindow() {
  // The undo stack, going before the window, tells of its clearing: nobody is listening any more.
  disconnect(&undoStack_, nullptr, this, nullptr);
}

template <typename Load>
bool ShellWindow::loadStep(const QString &label, Load load) {
  history_->pictureBeforeLoad();
  pendingLabel_ = label;
  const bool loaded = load();
  pendingLabel_.clear();
  if (!loaded) {
    history_->resync();
    return false;
  }
  history_->record(label);
  lastRunCurrent_ = false;
  updateActions();
  refreshStatus();
  return true;
}

void ShellWindow::loadPuzzle(const Grid &givens, PuzzleOrigin origin, const QString &label) {
  loadStep(label, [&] {
    document_.load(form_->controls(), form_->canvas(), givens, std::move(origin));
    return true;
  });
}

void ShellWindow::tell(const QString &message) { statusBar()->showMessage(message, kMessageMs); }

QString ShellWindow::collectionText() const {
  return tr("%1 / %2　%3")
      .arg(collectionIndex() + 1)
      .arg(collectionSize())
      .arg(QFileInfo(fromUtf8(document_.state().origin.file)).fileName());
}

void ShellWindow::updateTitle() {
  QString name = fromUtf8(document_.fileName(form_->controls()));
  if (name.isEmpty()) {
    switch (document_.state().origin.kind) {
      case PuzzleOrigin::Kind::Paste:
        name = tr("貼り付けた問題");
        break;
      case PuzzleOrigin::Kind::Generated:
        name = tr("新しい問題");
        break;
      case PuzzleOrigin::Kind::New:
      case PuzzleOrigin::Kind::DataFile:
      case PuzzleOrigin::Kind::Collection:
      case PuzzleOrigin::Kind::Progress:
        break;
    }
  }
  // The form's own caption stays the form's; the window names the document.
  setWindowTitle(name.isEmpty() ? QStringLiteral("numplace[*]") : tr("%1[*] — numplace").arg(name));
  setWindowModified(document_.state().modified);
}

bool ShellWindow::openFile(const QString &path) {
  const std::string name = QFile::encodeName(path).toStdString();
  // Read through the core's gate: a pipe or a device is refused at once.
  const OpenedFile opened = readOpenedFile(name);
  const bool loaded = opened.kind != OpenedFile::Kind::Unusable && loadStep(tr("開く"), [&] {
                        return document_.open(name, opened, form_->controls(), form_->canvas());
                      });
  if (!loaded) {
    tell(opened.kind == OpenedFile::Kind::Unusable ? openedFileMessage(opened)
                                                   : tr("「%1」を読めません。").arg(QFileInfo(path).fileName()));
    return false;
  }
  addRecent(QFileInfo(path).absoluteFilePath());
  return true;
}

bool ShellWindow::saveProgress(const QString &path) {
  if (!document_.state().givensFixed) fixGivens();
  const std::string name = QFile::encodeName(path).toStdString();
  if (const auto failure = replaceFile(name, document_.progress(form_->controls()))) {
    tell(tr("保存できません：%1").arg(fromUtf8(writeFailureText(name, *failure))));
    return false;
  }
  savedAs(path);
  tell(tr("途中経過を %1 に保存しました").arg(QFileInfo(path).fileName()));
  return true;
}

void ShellWindow::savedAs(const QString &path) {
  document_.saved();
  history_->resync();
  updateTitle();
  addRecent(QFileInfo(path).absoluteFilePath());
}

void ShellWindow::saveProgressDialog() {
  QString path = QFileDialog::getSaveFileName(this, tr("途中経過を保存"), QString(),
                                              tr("途中経過 (*.numplace);;すべてのファイル (*)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".numplace");
  saveProgress(path);
}

bool ShellWindow::stepCollection(int delta) {
  const int to = collectionIndex() + delta;
  if (!document_.hasCollection() || to < 0 || to >= collectionSize()) return false;
  return loadStep(tr("問題 %1 / %2").arg(to + 1).arg(collectionSize()),
                  [&] { return document_.step(delta, form_->controls(), form_->canvas()); });
}

bool ShellWindow::pasteText(const QString &text) {
  return loadStep(tr("貼り付け"),
                  [&] { return document_.paste(text.toStdString(), form_->controls(), form_->canvas()); });
}

bool ShellWindow::pastePuzzle() {
  const bool taken = pasteText(QGuiApplication::clipboard()->text());
  if (!taken) tell(tr("クリップボードの内容は問題ではありません（81文字の1～9、空きマスは0か.）"));
  return taken;
}

bool ShellWindow::saveFile(const QString &path) {
  if (const auto error = savePuzzle(form_->controls(), form_->files(), path.toStdString())) {
    tell(tr("保存できません：%1").arg(fromUtf8(*error)));
    return false;
  }
  savedAs(path);
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
  if (lastRun_ && lastRunCurrent_ && lastRun_->boardShown && lastRun_->end == RunEnd::Solved) {
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

bool ShellWindow::showSolution() {
  refreshStatus();
  if (!report_ || report_->badInput || report_->check.solutions != 1 || !report_->check.solution) {
    tell(tr("表示する解がありません：解が1つの問題ではありません"));
    return false;
  }
  // The answer run's board, drawn by the same code as the runs draw it, on a
  // surface cleared of what stood there.
  BoardCells board{};
  for (int k = 0; k < 81; ++k) board[k / 9 + 1][k % 9 + 1] = (*report_->check.solution)[static_cast<std::size_t>(k)];
  form_->canvas().clear();
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
  recentMenu_->setEnabled(!busy_ && !files.isEmpty());
}

void ShellWindow::openDialog() {
  const QString path = QFileDialog::getOpenFileName(
      this, tr("開く"), QString(), tr("問題のファイル (*.csv *.txt *.sdm *.numplace);;すべてのファイル (*)"));
  if (!path.isEmpty()) openFile(path);
}

void ShellWindow::saveDialog() {
  QString path = QFileDialog::getSaveFileName(this, tr("名前を付けて保存"), QString(), tr("データファイル (*.csv)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
  saveFile(path);
}

}  // namespace numplace::app
