// Puzzles on paper and as pictures from the main window: printing through
// a preview, a PDF, a PNG or an SVG of the board. What is printed is a
// clean board of its own, not the form's picture.
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

#include "app/paper_dialog.h"
#include "app/shell.h"
#include "app/text.h"
#include "export/paint.h"
#include "numplace/version.h"
#include "script/explanation.h"

namespace numplace::app {
namespace {

constexpr int kMessageMs = 10000;

// The context lupdate gives these texts: the namespace they are written in.
QString tr(const char *text) { return QCoreApplication::translate("numplace::app", text); }

QString gradeText(const CheckResult &check, const std::optional<Grade> &grade) {
  if (check.solutions == 0) return tr("解なし");
  if (check.solutions == 2) return tr("解が二つ以上");
  if (!grade) return {};
  const std::string_view name = QLocale().language() == QLocale::Japanese ? grade->name : grade->english;
  return tr("難しさ %1「%2」").arg(grade->level).arg(fromUtf8(name));
}

std::optional<Grid> shownSolution(const CheckResult &check) {
  if (check.solution && check.solutions >= 1) return check.solution;
  return std::nullopt;
}

exports::PaperTexts paperTexts() {
  exports::PaperTexts texts;
  texts.numberPrefix = tr("No.").toStdString();
  texts.solutionsHeading = tr("解答").toStdString();
  return texts;
}

}  // namespace

exports::PaperDocument ShellWindow::paperDocument(const PaperChoice &choice) {
  exports::PaperDocument paper;
  paper.solutions = choice.solutions;
  paper.texts = paperTexts();
  if (choice.collection && document_.hasCollection()) {
    paper.layout = exports::Layout::Collection;
    paper.perPage = choice.perPage;
    const QString file = QFileInfo(fromUtf8(document_.state().origin.file)).fileName();
    const auto &puzzles = *document_.state().collection;
    const int last = std::min(choice.last, static_cast<int>(puzzles.size()));
    for (int k = std::max(1, choice.first); k <= last; ++k) {
      exports::PaperPuzzle puzzle;
      puzzle.board.givens = puzzles[static_cast<std::size_t>(k - 1)];
      const CheckResult check = checkGivens(puzzle.board.givens);
      puzzle.board.solution = shownSolution(check);
      puzzle.number = static_cast<int>(paper.puzzles.size()) + 1;
      puzzle.caption = tr("%1　%2番　%3")
                           .arg(file)
                           .arg(k)
                           .arg(gradeText(check, gradePuzzle(puzzle.board.givens, check)))
                           .toStdString();
      if (check.solutions == 0) puzzle.solutionNote = tr("解なし").toStdString();
      paper.puzzles.push_back(std::move(puzzle));
    }
    return paper;
  }
  paper.layout = exports::Layout::Single;
  refreshStatus();
  exports::PaperPuzzle puzzle;
  // What the next run reads, the user's entries apart from the givens.
  const Grid read = report_ && !report_->badInput ? report_->givens : gridOfBoxes(form_->controls());
  const Grid entries = document_.entries(form_->controls());
  puzzle.board.givens = read;
  for (std::size_t k = 0; k < read.size(); ++k) {
    if (entries[k] != 0) puzzle.board.givens[k] = 0;
  }
  if (choice.entries) puzzle.board.entries = entries;
  const CheckResult check = checkGivens(puzzle.board.givens);
  puzzle.board.solution = shownSolution(check);
  QString name = windowTitle();
  name.remove(QStringLiteral("[*]"));
  puzzle.caption = tr("%1　%2").arg(name, gradeText(check, gradePuzzle(puzzle.board.givens, check))).toStdString();
  if (check.solutions == 0) puzzle.solutionNote = tr("解なし").toStdString();
  if (choice.explanation && lastRun_) puzzle.explanation = explainRun(*lastRun_).lines();
  paper.puzzles.push_back(std::move(puzzle));
  return paper;
}

void ShellWindow::printDialog() {
  PaperDialog choose(tr("印刷"), collectionSize(), lastRun_.has_value(), this);
  if (choose.exec() != QDialog::Accepted) return;
  const exports::PaperDocument paper = paperDocument(choose.choice());
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(tr("numplace の問題"));
  QPrintPreviewDialog preview(&printer, this);
  preview.setObjectName(QStringLiteral("printPreview"));
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [&paper](QPrinter *device) { exports::paintDocument(*device, paper); });
  preview.exec();
}

bool ShellWindow::exportPdf(const QString &path, const PaperChoice &choice) {
  const exports::PaperDocument paper = paperDocument(choice);
  exports::PdfSettings settings;
  QString name = windowTitle();
  name.remove(QStringLiteral("[*]"));
  settings.title = name.toStdString();
  settings.creator = "numplace " + std::string(kNumplaceVersion);
  const exports::WriteResult written = exports::writePdf(QFile::encodeName(path).toStdString(), paper, settings);
  if (written.error) {
    statusBar()->showMessage(tr("書き出せません：%1").arg(fromUtf8(*written.error)), kMessageMs);
    return false;
  }
  statusBar()->showMessage(tr("%1 に %2 ページ書き出しました").arg(QFileInfo(path).fileName()).arg(written.pages),
                           kMessageMs);
  return true;
}

void ShellWindow::exportPdfDialog() {
  PaperDialog choose(tr("PDF に書き出す"), collectionSize(), lastRun_.has_value(), this);
  if (choose.exec() != QDialog::Accepted) return;
  QString path = QFileDialog::getSaveFileName(this, tr("PDF に書き出す"), QString(), tr("PDF (*.pdf)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
  exportPdf(path, choose.choice());
}

bool ShellWindow::savePicture(const QString &path, const PictureChoice &choice) {
  PaperChoice single;
  single.entries = choice.content == PictureChoice::Content::Entries;
  exports::BoardContent board = paperDocument(single).puzzles.front().board;
  if (choice.content != PictureChoice::Content::Solution) board.solution.reset();
  const std::string name = QFile::encodeName(path).toStdString();
  const bool svg = QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0;
  QString title = windowTitle();
  title.remove(QStringLiteral("[*]"));
  const exports::WriteResult written = svg ? exports::writeSvg(name, board, choice.pixels, title.toStdString())
                                           : exports::writePng(name, board, choice.pixels);
  if (written.error) {
    statusBar()->showMessage(tr("保存できません：%1").arg(fromUtf8(*written.error)), kMessageMs);
    return false;
  }
  statusBar()->showMessage(tr("%1 に保存しました").arg(QFileInfo(path).fileName()), kMessageMs);
  return true;
}

void ShellWindow::savePictureDialog() {
  PictureDialog choose(this);
  if (choose.exec() != QDialog::Accepted) return;
  QString path = QFileDialog::getSaveFileName(this, tr("画像として保存"), QString(), tr("画像 (*.png *.svg)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
  savePicture(path, choose.choice());
}

}  // namespace numplace::app
