// New puzzles in the main window: one loaded as a new puzzle, or a
// collection written to a file and opened.
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStatusBar>

#include "app/generate_dialog.h"
#include "app/shell.h"
#include "app/text.h"
#include "board/files.h"
#include "check/check.h"

namespace numplace::app {
namespace {

constexpr int kMessageMs = 15000;

std::string lineOf(const Grid &grid) {
  std::string line;
  for (const std::uint8_t d : grid) line += static_cast<char>('0' + d);
  return line;
}

}  // namespace

void ShellWindow::newPuzzleDialog() {
  auto *dialog = new GenerateDialog(GenerateDialog::Mode::One, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::WindowModal);
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    if (!dialog->puzzles().empty()) loadGenerated(dialog->puzzles().front(), dialog->options());
  });
  dialog->show();
}

void ShellWindow::loadGenerated(const GeneratedPuzzle &puzzle, const GenerateOptions &options) {
  PuzzleOrigin origin{PuzzleOrigin::Kind::Generated, {}, 0, 0, {}};
  origin.detail = "level " + std::to_string(puzzle.grade ? puzzle.grade->level : options.level) + " " +
                  std::string(symmetryName(options.symmetry)) + " seed " + std::to_string(puzzle.seed);
  loadPuzzle(puzzle.puzzle, std::move(origin), tr("新しい問題"));
  statusBar()->showMessage(
      tr("新しい問題：%1、対称 %2、数字 %3 個（シード %4：numplace-cli --generate 1 --seed %4 で同じ問題）")
          .arg(levelText(puzzle.grade ? puzzle.grade->level : options.level))
          .arg(symmetryText(options.symmetry))
          .arg(puzzle.givens)
          .arg(puzzle.seed),
      kMessageMs);
}

void ShellWindow::newCollectionDialog() {
  auto *dialog = new GenerateDialog(GenerateDialog::Mode::Collection, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::WindowModal);
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    QString path = QFileDialog::getSaveFileName(this, tr("問題集を保存"), QString(), tr("問題集 (*.txt)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
    if (writeCollection(path, dialog->puzzles())) openFile(path);
  });
  dialog->show();
}

bool ShellWindow::writeCollection(const QString &path, const std::vector<GeneratedPuzzle> &puzzles) {
  std::string text;
  for (const GeneratedPuzzle &puzzle : puzzles) text += lineOf(puzzle.puzzle) + '\n';
  const std::string name = QFile::encodeName(path).toStdString();
  if (const auto failure = replaceFile(name, text)) {
    statusBar()->showMessage(tr("保存できません：%1").arg(fromUtf8(writeFailureText(name, *failure))), kMessageMs);
    return false;
  }
  return true;
}

}  // namespace numplace::app
