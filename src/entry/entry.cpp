#include "entry/entry.h"

#include <cmath>

#include "board/layout.h"
#include "board/number.h"

namespace numplace {
namespace {

// Control texts written by the handlers use the plain shortest form; the
// registers can hold anything the user typed, so keep the arithmetic in doubles.
std::string plainText(double v) {
  if (v == std::floor(v) && std::fabs(v) < 1e15) return plainNumber(static_cast<std::int64_t>(v));
  std::string s = std::to_string(v);
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

}  // namespace

void pressCell(Controls &controls, int cell, double x) {
  const double step = x < 175 ? -1 : (x > 175 ? 1 : 0);
  const ControlRef digitRegister = controls::Text16;
  const ControlRef cellRegister = controls::Text17;
  if (textToNumber(controls.text(cellRegister)) != cell) controls.setText(digitRegister, "0");
  double v = textToNumber(controls.text(digitRegister)) + step;
  if (v > 9) v -= 10;
  if (v < 0) v += 10;
  const std::string text = plainText(v);
  controls.setText(digitRegister, text);
  controls.setText(cellRegister, plainNumber(cell));
  controls.setText(controls::Text15(cell), text);
}

void quickInputKey(Controls &controls, int keyCode) {
  const ControlRef counter = controls::Text6;
  const ControlRef input = controls::Text7;
  double n = textToNumber(controls.text(counter));
  if (keyCode == kEnterKey) n += 1;
  if (n > 9) return;
  // A fractional counter (only when typed by hand) names the row it rounds down to.
  const double row = std::floor(n);
  if (n != 0 && keyCode == kEnterKey && row >= 1 && row <= 9) {
    controls.setText(controls::Text5(static_cast<int>(row)), controls.text(input));
    controls.setText(input, " ");
  }
  controls.setText(counter, plainText(n));
}

void clearEntry(Controls &controls) {
  for (int i = 1; i <= 9; ++i) {
    controls.setText(controls::Text5(i), "");
    for (int j = 1; j <= 9; ++j) controls.setText(controls::Text15(10 * i + j), "");
  }
  controls.setText(controls::Text7, "");
  controls.setText(controls::Text6, "");
}

}  // namespace numplace
