#include "script/headless.h"

#include "board/layout.h"

namespace numplace {

HeadlessControls::HeadlessControls() {
  for (const ControlEntry &control : controlLayout()) texts_.emplace_back(control.text);
}

std::string HeadlessControls::text(ControlRef ref) const {
  const int p = controlPosition(ref);
  return p < 0 ? std::string() : texts_[static_cast<std::size_t>(p)];
}

void HeadlessControls::setText(ControlRef ref, std::string_view text) {
  const int p = controlPosition(ref);
  if (p < 0) return;
  texts_[static_cast<std::size_t>(p)] = std::string(text);
  if (listener_) listener_(ref, text);
}

void HeadlessControls::type(ControlRef ref, std::string_view text) {
  const int p = controlPosition(ref);
  if (p >= 0) texts_[static_cast<std::size_t>(p)] = std::string(text);
}

void RecordingSurface::print(std::string_view text, Ending ending) {
  if (!keep_) {
    ++count_;
    return;
  }
  DrawOp op = DrawOp::of(DrawOp::Kind::Print);
  op.text = std::string(text);
  op.ending = ending;
  add(std::move(op));
}

void RecordingSurface::add(DrawOp op) {
  ++count_;
  if (keep_) ops_.push_back(std::move(op));
}

}  // namespace numplace
