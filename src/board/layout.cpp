#include "board/layout.h"

#include <array>
#include <vector>

namespace numplace {
namespace {

// Where the runs of the table stand: the ten controls of the right-hand
// side first, then the 81 cells row by row, three more controls, then the
// nine row boxes.
constexpr int kControlsBeforeGrid = 10;
constexpr int kFirstCellPosition = kControlsBeforeGrid;
constexpr int kControlsBetweenGridAndRows = 3;
constexpr int kFirstRowBoxPosition = kFirstCellPosition + 81 + kControlsBetweenGridAndRows;

constexpr int kCellLeft[10] = {0, 600, 960, 1320, 1800, 2160, 2520, 3000, 3360, 3720};
constexpr int kCellTop[10] = {0, 600, 1080, 1560, 2160, 2640, 3120, 3720, 4200, 4680};

std::vector<ControlEntry> buildLayout() {
  using K = ControlKind;
  std::vector<ControlEntry> t;
  auto add = [&t](ControlEntry s) { t.push_back(s); };
  add({controls::Text1.name, 0, K::TextBox, 7320, 2400, 735, 390, 12, "追加 1", true});
  add({controls::Text2.name, 0, K::TextBox, 7320, 2880, 735, 405, 12, "追加 2", true});
  add({controls::Command3.name, 0, K::Button, 6360, 960, 855, 615, 14.25, "答", true});
  add({controls::Text3.name, 0, K::TextBox, 6360, 480, 1935, 375, 15.75, "karune111.csv", true});
  add({controls::Command5.name, 0, K::Button, 7320, 1680, 855, 615, 12, "参考2 ( ペア)", true});
  add({controls::Command7.name, 0, K::Button, 7320, 960, 855, 615, 14.25, "  1　STEP", true});
  add({controls::Command1.name, 0, K::Button, 6360, 1680, 855, 615, 12, "       参考1 (同盟)　　", true});
  add({controls::Text6.name, 0, K::TextBox, 6480, 3480, 255, 375, 15.75, " ", true});
  add({controls::Text7.name, 0, K::TextBox, 4440, 4320, 1695, 375, 15.75, " ", true});
  add({controls::Text14.name, 0, K::TextBox, 6240, 3960, 2295, 495, 15.75, "基本ルール", true});
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      add({controls::Text15.name, cellIndex(r, c), K::TextBox, kCellLeft[c], kCellTop[r], 375, 495, 18, " ", true});
    }
  }
  add({controls::Command4.name, 0, K::Button, 3480, 0, 855, 495, 15.75, "消去", true});
  add({controls::Text16.name, 0, K::TextBox, 120, 3000, 375, 540, kWindowFontSize, "", true});
  add({controls::Text17.name, 0, K::TextBox, 120, 4080, 285, 465, kWindowFontSize, "", true});
  for (int i = 1; i <= 9; ++i) {
    add({controls::Text5.name, i, K::TextBox, 4560, 600 + 360 * (i - 1), 1695, 375, 15.75, "  ", true});
  }
  add({controls::Label4.name, 0, K::Label, 1080, 120, 2055, 375, 15.75, "初期データ　１", false});
  add({controls::Label3.name, 0, K::Label, 4440, 120, 1815, 375, 14.25, "初期データ　２", false});
  add({controls::Label5.name, 0, K::Label, 4560, 3960, 1455, 255, 12, "簡易入力", false});
  add({controls::Label1.name, 0, K::Label, 6360, 240, 1695, 255, 14.25, "入力データ名", false});
  add({controls::Label2.name, 0, K::Label, 11520, 10560, 1455, 255, 9, "カルネ22年5月作", false});
  return t;
}

[[maybe_unused]] bool standsAt(const std::vector<ControlEntry> &table, int position, ControlRef ref) {
  return table[static_cast<std::size_t>(position)].ref() == ref;
}

const std::vector<ControlEntry> &layout() {
  static const std::vector<ControlEntry> table = buildLayout();
  // controlPosition finds the cells and the row boxes by these offsets alone.
  NUMPLACE_ASSERT(standsAt(table, kFirstCellPosition, controls::Text15(cellIndex(1, 1))));
  NUMPLACE_ASSERT(standsAt(table, kFirstCellPosition + 80, controls::Text15(cellIndex(9, 9))));
  NUMPLACE_ASSERT(standsAt(table, kFirstRowBoxPosition, controls::Text5(1)));
  NUMPLACE_ASSERT(standsAt(table, kFirstRowBoxPosition + 8, controls::Text5(9)));
  return table;
}

}  // namespace

std::span<const ControlEntry> controlLayout() { return layout(); }

int controlPosition(ControlRef ref) {
  const auto &t = layout();
  // The grid and the row boxes are contiguous runs of the table.
  if (ref.name == controls::Text15.name) {
    const int r = ref.index / 10;
    const int c = ref.index % 10;
    if (r < 1 || r > 9 || c < 1) return -1;
    return kFirstCellPosition + (r - 1) * 9 + (c - 1);
  }
  if (ref.name == controls::Text5.name) {
    if (ref.index < 1 || ref.index > 9) return -1;
    return kFirstRowBoxPosition + (ref.index - 1);
  }
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i].name == ref.name && t[i].index == ref.index) return static_cast<int>(i);
  }
  return -1;
}

const ControlEntry *findControl(ControlRef ref) {
  const int p = controlPosition(ref);
  return p < 0 ? nullptr : &layout()[static_cast<std::size_t>(p)];
}

std::string controlLabel(ControlRef ref) {
  std::string s(ref.name);
  if (ref.index != 0) s += "(" + std::to_string(ref.index) + ")";
  return s;
}

}  // namespace numplace
