#include "app/input.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace numplace::app {
namespace {

constexpr qsizetype kCells = 81;

}  // namespace

std::optional<QString> puzzleFromPaste(const QString &text) {
  // Compatibility forms turn full-width digits and the full-width stop into ASCII.
  const QString folded = text.normalized(QString::NormalizationForm_KC);
  QString cells;
  cells.reserve(kCells);
  for (const QChar ch : folded) {
    if (ch.isSpace()) continue;
    if (ch >= u'1' && ch <= u'9') {
      cells += ch;
    } else if (ch == u'0' || ch == u'.') {
      cells += u'.';
    } else {
      return std::nullopt;
    }
    if (cells.size() > kCells) return std::nullopt;
  }
  if (cells.size() != kCells) return std::nullopt;
  return cells;
}

QString droppedFile(const QMimeData *data) {
  if (data == nullptr || !data->hasUrls()) return {};
  for (const QUrl &url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

CellBox::CellBox(FillGrid fillGrid, QWidget *parent) : Box(parent), fillGrid_(std::move(fillGrid)) {}

void CellBox::pasteFrom(QClipboard::Mode mode) {
  const QString text = QGuiApplication::clipboard()->text(mode);
  if (fillGrid_ && fillGrid_(text)) return;
  if (mode == QClipboard::Clipboard) {
    paste();
  } else {
    insert(text);
  }
}

void CellBox::keyPressEvent(QKeyEvent *event) {
  if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
    pasteFrom(QClipboard::Clipboard);
    event->accept();
    return;
  }
  Box::keyPressEvent(event);
}

void CellBox::contextMenuEvent(QContextMenuEvent *event) {
  QMenu *menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The menu's Paste entry is the one wired to paste(); it is rewired to the grid's paste.
  for (QAction *action : menu->actions()) {
    // Qt wires it by name in some versions and by member pointer in others.
    const bool wiredToPaste = disconnect(action, SIGNAL(triggered()), this, SLOT(paste())) ||
                              disconnect(action, &QAction::triggered, this, &QLineEdit::paste);
    if (wiredToPaste) {
      connect(action, &QAction::triggered, this, [this] { pasteFrom(QClipboard::Clipboard); });
    }
  }
  menu->popup(event->globalPos());
}

void CellBox::mouseReleaseEvent(QMouseEvent *event) {
  const QClipboard *clipboard = QGuiApplication::clipboard();
  if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly() &&
      rect().contains(event->position().toPoint()) && fillGrid_ && fillGrid_(clipboard->text(QClipboard::Selection))) {
    event->accept();
    return;
  }
  Box::mouseReleaseEvent(event);
}

}  // namespace numplace::app
