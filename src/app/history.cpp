#include "app/history.h"

#include <QUndoCommand>

#include "board/layout.h"

namespace numplace::app {
namespace {

constexpr int kMergeId = 1;

class BoxesCommand : public QUndoCommand {
 public:
  BoxesCommand(EntryHistory &history, const QString &label, std::vector<EntryHistory::BoxChange> changes, int mergeKey)
      : QUndoCommand(label), history_(history), changes_(std::move(changes)), mergeKey_(mergeKey) {}

  void undo() override { history_.apply(changes_, false); }
  // The change is already in the boxes when the step is pushed.
  void redo() override {
    if (pushed_) history_.apply(changes_, true);
    pushed_ = true;
  }
  int id() const override { return mergeKey_ >= 0 ? kMergeId : -1; }
  bool mergeWith(const QUndoCommand *other) override {
    const auto *next = static_cast<const BoxesCommand *>(other);
    if (next->mergeKey_ != mergeKey_) return false;
    for (const EntryHistory::BoxChange &change : next->changes_) {
      auto mine = std::find_if(changes_.begin(), changes_.end(),
                               [&](const EntryHistory::BoxChange &c) { return c.box == change.box; });
      if (mine == changes_.end()) {
        changes_.push_back(change);
      } else {
        mine->after = change.after;
      }
    }
    return true;
  }

 private:
  EntryHistory &history_;
  std::vector<EntryHistory::BoxChange> changes_;
  int mergeKey_;
  bool pushed_ = false;
};

}  // namespace

EntryHistory::EntryHistory(Controls &controls, QUndoStack &stack) : controls_(controls), stack_(stack) {
  for (const ControlEntry &entry : controlLayout()) {
    if (entry.kind == ControlKind::TextBox) boxes_.push_back(entry.ref());
  }
  snapshot_ = texts();
}

std::vector<std::string> EntryHistory::texts() const {
  std::vector<std::string> out;
  out.reserve(boxes_.size());
  for (const ControlRef box : boxes_) out.push_back(controls_.text(box));
  return out;
}

void EntryHistory::record(const QString &label, int mergeKey) {
  std::vector<std::string> now = texts();
  std::vector<BoxChange> changes;
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (now[i] != snapshot_[i]) changes.push_back({i, snapshot_[i], now[i]});
  }
  snapshot_ = std::move(now);
  if (changes.empty()) return;
  stack_.push(new BoxesCommand(*this, label, std::move(changes), mergeKey));
}

void EntryHistory::resync() { snapshot_ = texts(); }

void EntryHistory::apply(const std::vector<BoxChange> &changes, bool after) {
  for (const BoxChange &change : changes) controls_.setText(boxes_[change.box], after ? change.after : change.before);
  snapshot_ = texts();
}

}  // namespace numplace::app
