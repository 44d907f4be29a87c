// The undo history of the puzzle being worked on: every change the user
// makes to the entry boxes (typing, cell presses, pastes, 消去) and every
// load of a puzzle (開く, a collection step, 貼り付け) is one step that
// 元に戻す takes back and やり直し makes again. A step holds the boxes it
// changed and, where they changed, the document (the givens, where they came
// from, the place in a collection) and the picture (a load clears it). What
// the runs write into the boxes or draw is not a step of its own; it is taken
// as the new state.
#pragma once

#include <QString>
#include <QUndoStack>
#include <memory>
#include <optional>
#include <vector>

#include "app/canvas.h"
#include "board/ports.h"
#include "document/document.h"

namespace numplace::app {

class EntryHistory {
 public:
  // `controls` are the window's: the history reads and writes its text boxes.
  EntryHistory(Controls &controls, QUndoStack &stack, PuzzleDocument &document, Canvas &canvas);

  // Records what changed since the last record as one step named `label`.
  // Successive records with the same `mergeKey` (not -1), such as typing
  // into one box, make a single step. Nothing is recorded when nothing changed.
  void record(const QString &label, int mergeKey = -1);
  // The picture as it stands before a load: the next record brings it back
  // when it is undone.
  void pictureBeforeLoad();
  // Takes the boxes and the document as they are now without making a step (after a run).
  void resync();

  QUndoStack &stack() { return stack_; }

  // One box's text before and after a step.
  struct BoxChange {
    std::size_t box;  // index into the text boxes of the layout table
    std::string before;
    std::string after;
  };
  struct Change {
    std::vector<BoxChange> boxes;
    std::optional<PuzzleDocument::State> documentBefore;  // with a change of the document
    std::optional<PuzzleDocument::State> documentAfter;
    std::shared_ptr<const Canvas::Snapshot> pictureBefore;  // with a load
  };
  // Writes a step's texts, document and picture back, before or after it,
  // and takes them as the new state.
  void apply(const Change &change, bool after);

 private:
  std::vector<std::string> texts() const;

  Controls &controls_;
  QUndoStack &stack_;
  PuzzleDocument &document_;
  Canvas &canvas_;
  std::vector<ControlRef> boxes_;
  std::vector<std::string> snapshot_;
  PuzzleDocument::State documentSnapshot_;
  std::shared_ptr<const Canvas::Snapshot> pictureBefore_;
};

}  // namespace numplace::app
