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

// A control of the form by its name. An array's element is named with its
// index, controls::Text15(35); a control that is no array stands for
// itself, controls::Text14.
struct ControlName {
  std::string_view name;
  constexpr ControlRef operator()(int index) const { return {name, index}; }
  constexpr operator ControlRef() const { return {name, 0}; }  // NOLINT(google-explicit-constructor)
};

// Every control of the form: the one place where their names are spelt.
namespace controls {
inline constexpr ControlName Text1{"Text1"};        // 追加 1
inline constexpr ControlName Text2{"Text2"};        // 追加 2
inline constexpr ControlName Text3{"Text3"};        // 入力データ名
inline constexpr ControlName Text5{"Text5"};        // the row boxes, 1..9
inline constexpr ControlName Text6{"Text6"};        // the quick input's row counter
inline constexpr ControlName Text7{"Text7"};        // 簡易入力
inline constexpr ControlName Text14{"Text14"};      // the report box
inline constexpr ControlName Text15{"Text15"};      // the grid, 10 * row + column
inline constexpr ControlName Text16{"Text16"};      // the digit register of cell clicking
inline constexpr ControlName Text17{"Text17"};      // the last-cell register
inline constexpr ControlName Command1{"Command1"};  // 参考1
inline constexpr ControlName Command3{"Command3"};  // 答
inline constexpr ControlName Command4{"Command4"};  // 消去
inline constexpr ControlName Command5{"Command5"};  // 参考2
inline constexpr ControlName Command7{"Command7"};  // 1 STEP
inline constexpr ControlName Label1{"Label1"};
inline constexpr ControlName Label2{"Label2"};
inline constexpr ControlName Label3{"Label3"};
inline constexpr ControlName Label4{"Label4"};
inline constexpr ControlName Label5{"Label5"};
}  // namespace controls

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
