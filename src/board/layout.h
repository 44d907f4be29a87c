// The one table that describes the window: every control with its geometry
// (twips), font size, caption or start-up text and keyboard order. The Qt
// window builds its widgets from it and the headless controls take their
// start-up texts from it.
#pragma once

#include <span>
#include <string_view>

#include "board/contract.h"
#include "board/ports.h"

namespace numplace {

enum class ControlKind { TextBox, Label, Button };

inline constexpr double kClientWidth = 15240;  // twips
inline constexpr double kClientHeight = 11010;
inline constexpr double kTwipsPerPixel = 15;
inline constexpr double kWindowFontSize = 20.25;
inline constexpr std::string_view kWindowFont = "ＭＳ Ｐゴシック";
inline constexpr std::string_view kWindowCaption = "Form1";

struct ControlEntry {
  std::string_view name;
  int index;  // 0 when the control is not part of a control array
  ControlKind kind;
  int left, top, width, height;
  double fontSize;        // points; kWindowFontSize for controls with no font of their own
  std::string_view text;  // caption or start-up text, exact
  bool inTabOrder;
  ControlRef ref() const { return {name, index}; }
};

// Focusable controls in keyboard (Tab) order first, then the labels.
std::span<const ControlEntry> controlLayout();

// The entry for a control, or nullptr when the window has no such control.
const ControlEntry *findControl(ControlRef ref);

// Position of a control in controlLayout(), or -1.
int controlPosition(ControlRef ref);

// Index of cell (row, column) in the grid Text15; both 1..9.
constexpr int cellIndex(int row, int column) {
  NUMPLACE_ASSERT(row >= 1 && row <= 9 && column >= 1 && column <= 9);
  return 10 * row + column;
}

}  // namespace numplace
