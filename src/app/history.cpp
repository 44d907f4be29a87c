#include "app/history.h"

#include <QUndoCommand>

#include "board/layout.h"

namespace numplace::app {
namespace {

constexpr int kMergeId = 1;

class ChangeCommand : public QUndoCommand {
 public:
  ChangeCommand(EntryHistory &history, const QString &label, EntryHistory::Change change, int mergeKey)
      : QUndoCommand(label), history_(history), change_(std::move(change)), mergeKey_(mergeKey) {}

  void undo() override { history_.apply(change_, false); }
  // The change is already made when the step is pushed.
  void redo() override {
    if (pushed_) history_.apply(change_, true);
    pushed_ = true;
  }
  int id() const override { return mergeKey_ >= 0 ? kMergeId : -1; }
  bool mergeWith(const QUndoCommand *other) override {
    const auto *next = static_cast<const ChangeCommand *>(other);
    if (next->mergeKey_ != mergeKey_ || next->change_.pictureBefore) return false;
    for (const EntryHistory::BoxChange &change : next->change_.boxes) {
      auto mine = std::find_if(change_.boxes.begin(), change_.boxes.end(),
                               [&](const EntryHistory::BoxChange &c) { return c.box == change.box; });
      if (mine == change_.boxes.end()) {
        change_.boxes.push_back(change);
      } else {
        mine->after = change.after;
      }
    }
    if (next->change_.documentAfter) {
      if (!change_.documentBefore) change_.documentBefore = next->change_.documentBefore;
      change_.documentAfter = next->change_.documentAfter;
    }
    return true;
  }

 private:
  EntryHistory &history_;
  EntryHistory::Change change_;
  int mergeKey_;
  bool pushed_ = false;
};

}  // namespace

EntryHistory::EntryHistory(Controls &controls, QUndoStack &stack, PuzzleDocument &document, Canvas &canvas)
    : controls_(controls), stack_(stack), document_(document), canvas_(canvas) {
  for (const ControlEntry &entry : controlLayout()) {
    if (entry.kind == ControlKind::TextBox) boxes_.push_back(entry.ref());
  }
  snapshot_ = texts();
  documentSnapshot_ = document_.state();
}

std::vector<std::string> EntryHistory::texts() const {
  std::vector<std::string> out;
  out.reserve(boxes_.size());
  for (const ControlRef box : boxes_) out.push_back(controls_.text(box));
  return out;
}

void EntryHistory::pictureBeforeLoad() { pictureBefore_ = std::make_shared<Canvas::Snapshot>(canvas_.snapshot()); }

void EntryHistory::record(const QString &label, int mergeKey) {
  std::vector<std::string> now = texts();
  Change change;
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (now[i] != snapshot_[i]) change.boxes.push_back({i, snapshot_[i], now[i]});
  }
  snapshot_ = std::move(now);
  if (!(document_.state() == documentSnapshot_)) {
    change.documentBefore = documentSnapshot_;
    change.documentAfter = document_.state();
    documentSnapshot_ = document_.state();
  }
  change.pictureBefore = std::move(pictureBefore_);
  pictureBefore_.reset();
  if (change.boxes.empty() && !change.documentAfter && !change.pictureBefore) return;
  // A load is a step of its own, never merged with typing.
  const int key = change.pictureBefore ? -1 : mergeKey;
  stack_.push(new ChangeCommand(*this, label, std::move(change), key));
}

void EntryHistory::resync() {
  snapshot_ = texts();
  documentSnapshot_ = document_.state();
}

void EntryHistory::apply(const Change &change, bool after) {
  for (const BoxChange &box : change.boxes) controls_.setText(boxes_[box.box], after ? box.after : box.before);
  if (const auto &state = after ? change.documentAfter : change.documentBefore) document_.restore(*state);
  // A load cleared the picture; undoing it shows what stood there before.
  if (change.pictureBefore) {
    if (after) {
      canvas_.clear();
    } else {
      canvas_.restore(*change.pictureBefore);
    }
  }
  snapshot_ = texts();
  documentSnapshot_ = document_.state();
}

}  // namespace numplace::app
