// The window without a screen: the control texts in a table, started from
// the layout table, and a drawing surface that records what is drawn.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "board/ports.h"
#include "script/actions.h"

namespace numplace {

class HeadlessControls : public Controls, public Typist {
 public:
  // Told of every text a handler sets (not of the user's typing).
  using Listener = std::function<void(ControlRef ref, std::string_view text)>;

  HeadlessControls();
  std::string text(ControlRef ref) const override;
  void setText(ControlRef ref, std::string_view text) override;  // a handler's change
  void type(ControlRef ref, std::string_view text) override;     // the user's typing
  void setListener(Listener listener) { listener_ = std::move(listener); }

 private:
  std::vector<std::string> texts_;
  Listener listener_;
};

// One drawing operation, as the surface received it.
struct DrawOp {
  enum class Kind { Clear, Font, Colour, Width, Move, Line, Print };
  Kind kind = Kind::Clear;
  double a = 0, b = 0, c = 0, d = 0;  // the size, colour or width in a; a point in (a, b); a line (a, b)-(c, d)
  std::string text;                   // a print's text
  Ending ending = Ending::NewLine;    // a print's ending

  static DrawOp of(Kind kind, double a = 0, double b = 0, double c = 0, double d = 0) {
    DrawOp op;
    op.kind = kind;
    op.a = a;
    op.b = b;
    op.c = c;
    op.d = d;
    return op;
  }
  friend bool operator==(const DrawOp &, const DrawOp &) = default;
};

// Keeps every operation (or, when told not to, only counts them).
class RecordingSurface : public DrawingSurface {
 public:
  explicit RecordingSurface(bool keep = true) : keep_(keep) {}
  // A surface that keeps nothing (the batch's, drawn on every cycle) only
  // counts: no operation is made to be thrown away.
  void clear() override { add(DrawOp::Kind::Clear); }
  void setFontSize(double points) override { add(DrawOp::Kind::Font, points); }
  void setColour(std::uint32_t colour) override { add(DrawOp::Kind::Colour, colour); }
  void setLineWidth(int pixels) override { add(DrawOp::Kind::Width, pixels); }
  void moveTo(double x, double y) override { add(DrawOp::Kind::Move, x, y); }
  void drawLine(double x1, double y1, double x2, double y2) override { add(DrawOp::Kind::Line, x1, y1, x2, y2); }
  void print(std::string_view text, Ending ending) override;

  const std::vector<DrawOp> &ops() const { return ops_; }
  long count() const { return count_; }
  // Drops the operations kept so far; the count goes on.
  void forget() { ops_.clear(); }

 private:
  void add(DrawOp::Kind kind, double a = 0, double b = 0, double c = 0, double d = 0) {
    if (keep_) {
      add(DrawOp::of(kind, a, b, c, d));
    } else {
      ++count_;
    }
  }
  void add(DrawOp op);
  bool keep_;
  std::vector<DrawOp> ops_;
  long count_ = 0;
};

}  // namespace numplace
