// The undo history of the entry boxes: every change the user makes to them
// (typing, cell presses, pastes, 消去, opening a puzzle) is one step that
// 元に戻す takes back and やり直し makes again. What the runs write into the
// boxes is not a step of its own; it is taken as the new state.
#pragma once

#include <QString>
#include <QUndoStack>
#include <vector>

#include "board/ports.h"

namespace numplace::app {

class EntryHistory {
 public:
  // `controls` are the window's; the history reads and writes its text boxes.
  EntryHistory(Controls &controls, QUndoStack &stack);

  // Records what changed since the last record as one step named `label`.
  // Successive records with the same `mergeKey` (not -1), such as typing
  // into one box, make a single step. Nothing is recorded when nothing changed.
  void record(const QString &label, int mergeKey = -1);
  // Takes the boxes as they are now without making a step (after a run).
  void resync();

  QUndoStack &stack() { return stack_; }

  // One box's text before and after a step.
  struct BoxChange {
    std::size_t box;  // index into the text boxes of the layout table
    std::string before;
    std::string after;
  };
  // Writes texts into the boxes and takes them as the new state.
  void apply(const std::vector<BoxChange> &changes, bool after);

 private:
  std::vector<std::string> texts() const;

  Controls &controls_;
  QUndoStack &stack_;
  std::vector<ControlRef> boxes_;
  std::vector<std::string> snapshot_;
};

}  // namespace numplace::app
