#include "runs/painter.h"

#include <vector>

#include "board/messages.h"
#include "board/number.h"

namespace numplace {

DigitColours digitColours(ColourScheme scheme) {
  return {0x000000,
          0x000000,
          0xFF00FF,
          0xFFFF00,
          0xFF0000,
          0x00FF00,
          scheme == ColourScheme::Step ? rgb(150, 170, 150) : 0x0000FF,
          rgb(100, 50, 150),
          rgb(200, 150, 50),
          rgb(50, 150, 50)};
}

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

void drawBoard(DrawingSurface &s, const BoardCells &board, const DigitColours &colours, BoardDigits digits) {
  s.moveTo(13, 13);
  const auto lines = [&](int l) {
    const double x = 120.0 * (2 * l + 70);
    s.drawLine(x, 240, x, 6720);
    const double y = 240.0 * l;
    s.drawLine(8640, y, 15120, y);
  };
  for (int l = 1; l <= 28; l += 3) lines(l);
  s.setFontSize(fonts::kBoard);
  s.setLineWidth(3);
  for (int l = 1; l <= 28; l += 9) lines(l);
  s.setLineWidth(1);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const Point at = boardDigitPosition(r, c);
      s.moveTo(at.x, at.y);
      const int d = board[r][c];
      s.setColour(colours[static_cast<std::size_t>(d)]);
      s.setFontSize(fonts::kBoard);
      if (d != 0 && digits == BoardDigits::Print) s.print(printedNumber(d), Ending::NewLine);
    }
  }
}

void Painter::started() {
  clear();
  s_.setFontSize(startFont_);
  s_.setColour(kBlack);
}

void Painter::inputRejected(std::string_view message) {
  const std::vector<std::string> lines = wrapMessage(message, kInputErrorLineEm);
  // Upwards from the foot: a one-line message stands where it always did.
  double y = kInputErrorAt.y - kInputErrorLinePitch * static_cast<double>(lines.size() - 1);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    s_.moveTo(kInputErrorAt.x, y);
    if (k == 0) {
      s_.setColour(kRed);
      s_.setFontSize(fonts::kInputError);
    }
    s_.print(lines[k], Ending::NewLine);
    y += kInputErrorLinePitch;
  }
  s_.setColour(kBlack);
}

void Painter::clear() {
  s_.clear();
  result_.messages.clear();
}

void Painter::beginMessage(Point at, double fontSize) {
  moveTo(at);
  s_.setColour(kBlack);
  s_.setFontSize(fontSize);
}

void Painter::printMessage(std::string_view text, Ending ending) {
  s_.print(text, ending);
  result_.messages.add(text);
}

}  // namespace numplace
