#include "board/drawing.h"

#include "board/number.h"

namespace numplace {

void drawFrame(DrawingSurface &s, const BoardFrame &f) {
  const auto lines = [&](int k) {
    const double x = f.xScale * k + f.xOffset;
    s.drawLine(x, f.top, x, f.bottom);
    const double y = f.yScale * k;
    s.drawLine(f.left, y, f.right, y);
  };
  for (int k = 1; k <= 28; k += 3) lines(k);
  s.setLineWidth(3);
  for (int k = 1; k <= 28; k += 9) lines(k);
  s.setLineWidth(1);
}

int drawBoard(DrawingSurface &s, const Tables &t, BoardDigits digits) {
  s.moveTo(13, 13);
  const auto lines = [&](int l) {
    const double x = 120.0 * (2 * l + 70);
    s.drawLine(x, 240, x, 6720);
    const double y = 240.0 * l;
    s.drawLine(8640, y, 15120, y);
  };
  for (int l = 1; l <= 28; l += 3) lines(l);
  s.setFontSize(40);
  s.setLineWidth(3);
  for (int l = 1; l <= 28; l += 9) lines(l);
  s.setLineWidth(1);
  int filled = 0;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const Point at = boardDigitPosition(r, c);
      s.moveTo(at.x, at.y);
      const int d = t.Board[r][c];
      s.setColour(t.ColourTable[d]);
      s.setFontSize(40);
      if (d != 0) {
        ++filled;
        if (digits == BoardDigits::Print) s.print(printedNumber(d), Ending::NewLine);
      }
    }
  }
  return filled;
}

}  // namespace numplace
