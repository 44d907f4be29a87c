// Taking a puzzle the way users find one: an 81-character line pasted into the
// grid, a data file dropped onto the window.
#pragma once

#include <QClipboard>
#include <QString>
#include <functional>
#include <optional>

#include "app/boxes.h"

class QMimeData;

namespace numplace::app {

// The 81 cells of a pasted puzzle line, row by row: '1'..'9' for a digit and
// '.' for an empty cell. Blanks and line breaks anywhere in the text are
// ignored, 0 and '.' stand for an empty cell, and full-width digits count as
// digits. Nothing when the text is not exactly such a line.
std::optional<QString> puzzleFromPaste(const QString &text);

// The local path of the first file among dragged or dropped URLs, or an
// empty text when none is a local file.
QString droppedFile(const QMimeData *data);

// A cell box of the grid. A paste (the paste keys, the context menu's Paste,
// a middle click on systems with a selection) first offers the text to
// `fillGrid`; when that takes it, the box pastes nothing itself.
class CellBox : public Box {
 public:
  using FillGrid = std::function<bool(const QString &text)>;
  CellBox(FillGrid fillGrid, QWidget *parent);

 protected:
  void keyPressEvent(QKeyEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

 private:
  void pasteFrom(QClipboard::Mode mode);

  FillGrid fillGrid_;
};

}  // namespace numplace::app
