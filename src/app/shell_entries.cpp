// Solving it yourself in the main window: the givens fixed, the user's own
// entries shown in blue and checked, hints level by level, and the colours
// of the boxes that say which is which.
#include <QLineEdit>
#include <QStatusBar>

#include "app/shell.h"
#include "app/solve_texts.h"
#include "app/text.h"
#include "board/layout.h"
#include "document/loader.h"

namespace numplace::app {
namespace {

constexpr int kMessageMs = 15000;
const QColor kEntryColour(0, 0, 200);
const QColor kWrongBackground(255, 205, 205);
const QColor kHintBackground(255, 244, 170);

bool contains(const std::vector<CellRef> &cells, const CellRef &cell) {
  return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

}  // namespace

void ShellWindow::Loader::fixGivens() { shell_.fixGivens(); }
void ShellWindow::Loader::hint(int level) { shell_.giveHint(level); }
std::optional<std::string> ShellWindow::Loader::saveProgress(const std::string &path) {
  if (shell_.saveProgress(fromUtf8(path))) return std::nullopt;
  return shell_.statusBar()->currentMessage().toStdString();
}

void ShellWindow::fixGivens() {
  document_.fixGrid(form_->controls());
  history_->record(tr("この盤面を問題にする"));
  statusBar()->showMessage(tr("今の盤面を問題にしました。これから入れる数字は自分の答えとして青で示します"),
                           kMessageMs);
  refreshStatus();
}

EntriesCheck ShellWindow::checkEntries() {
  // A grid typed without being fixed is taken as the puzzle: there are no entries yet.
  if (!document_.state().givensFixed) fixGivens();
  EntriesCheck check = documentEntries(document_, form_->controls());
  forgetMarks();
  for (const WrongEntry &entry : check.wrong) marked_.push_back(entry.cell);
  markedWrong_ = true;
  statusBar()->showMessage(entriesText(check), kMessageMs);
  colourBoxes();
  return check;
}

Hint ShellWindow::giveHint(std::optional<int> level) {
  if (!document_.state().givensFixed) fixGivens();
  const Grid position = gridOfBoxes(form_->controls());
  // Asked again for the same position, the hint says more.
  hintLevel_ = level ? *level : (hintPosition_ == position ? std::min(hintLevel_ + 1, 3) : 1);
  Hint hint = documentHint(document_, form_->controls(), hintLevel_);
  forgetMarks();
  hintLevel_ = hint.level;
  hintPosition_ = position;
  markedWrong_ = hint.kind == HintKind::WrongEntry;
  if (hint.kind != HintKind::None) marked_ = hint.cells;
  const bool writes = hint.level == 3 && hint.digit && hint.cells.size() == 1 &&
                      (hint.kind == HintKind::Placement || hint.kind == HintKind::SolutionCell);
  if (writes) {
    // The placement itself, as the user's entry: one undo step.
    const CellRef cell = hint.cells.front();
    form_->controls().setText(controls::Text15(cellIndex(cell.row, cell.column)), std::to_string(*hint.digit));
    document_.edited();
    history_->record(tr("ヒント"));
    hintPosition_.reset();
    marked_ = hint.cells;
    markedWrong_ = false;
    lastRunCurrent_ = false;
  }
  statusBar()->showMessage(hintText(hint), kMessageMs);
  refreshStatus();
  return hint;
}

void ShellWindow::forgetMarks() {
  marked_.clear();
  markedWrong_ = false;
  hintPosition_.reset();
  hintLevel_ = 0;
}

void ShellWindow::colourBoxes() {
  std::vector<CellRef> clashing;
  if (report_ && report_->source.kind == SourceKind::Grid && !report_->badInput) {
    for (const Clash &clash : report_->check.clashes)
      clashing.insert(clashing.end(), clash.cells.begin(), clash.cells.end());
  }
  const Grid entries = document_.entries(form_->controls());
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      QWidget *box = form_->control(controls::Text15(cellIndex(r, c)));
      const CellRef cell{r, c};
      const bool entry = entries[static_cast<std::size_t>((r - 1) * 9 + c - 1)] != 0;
      const bool clash = contains(clashing, cell);
      const bool marked = contains(marked_, cell);
      if (!entry && !clash && !marked) {
        if (box->testAttribute(Qt::WA_SetPalette)) box->setPalette(QPalette());
        continue;
      }
      QPalette palette;
      if (entry) palette.setColor(QPalette::Text, kEntryColour);
      if (clash || (marked && markedWrong_)) palette.setColor(QPalette::Text, Qt::red);
      if (marked) palette.setColor(QPalette::Base, markedWrong_ ? kWrongBackground : kHintBackground);
      box->setPalette(palette);
    }
  }
}

}  // namespace numplace::app
