#include "app/accessible.h"

#include <string_view>

#include "board/layout.h"

namespace numplace::app {
namespace {

struct Named {
  std::string_view control;
  const char *name;
  const char *description;
};

// The controls whose names do not follow from their place or their text.
constexpr Named kNamed[] = {
    {controls::Text1.name, "追加 1",
     "追加の初期値：行・列・数字の3桁（537 は 5行3列に 7）。答は成功した試し置きをここに書く"},
    {controls::Text2.name, "追加 2", "2つ目の追加の初期値：行・列・数字の3桁"},
    {controls::Text3.name, "入力データ名", "データファイルの名前。ファイルをウィンドウにドロップしても入る"},
    {controls::Text6.name, "簡易入力の行番号", "簡易入力で送った行の数"},
    {controls::Text7.name, "簡易入力", "1行分の数字を入れて Enter を押すと次の行データに入る"},
    {controls::Text14.name, "手法", "解くのに使った手法"},
    {controls::Text16.name, "押したマスの数字", "最後に押したマスの数字"},
    {controls::Text17.name, "押したマスの番号", "最後に押したマスの行と列（11 は 1行1列）"},
    {controls::Command3.name, "答（最後まで解く）", "論理と試し置きで最後まで解き、盤面を色付きで描く"},
    {controls::Command7.name, "1 STEP（1手ずつ解く）", "1手ずつ置き、手順と候補の表を示して、毎回問い合わせる"},
    {controls::Command1.name, "参考1 同盟（1手ずつ、同盟を示す）",
     "1 STEP と同じ進め方で、ペアと三つ組の同盟を赤で示す"},
    {controls::Command5.name, "参考2 ペア（試し置きなしで解く）",
     "試し置きなしの論理だけで解き、止まるたびにブロック内で2か所にだけ入る数字を小さく示す"},
    {controls::Command4.name, "消去（入力を消す）", "マス、行データ、簡易入力を空にする"},
};

constexpr std::string_view kCellGrid = controls::Text15.name;
constexpr std::string_view kRowBoxes = controls::Text5.name;

const Named *find(std::string_view control) {
  for (const Named &named : kNamed) {
    if (named.control == control) return &named;
  }
  return nullptr;
}

}  // namespace

QString accessibleNameFor(const ControlEntry &control) {
  if (control.name == kCellGrid) {
    return QStringLiteral("行%1 列%2").arg(control.index / 10).arg(control.index % 10);
  }
  if (control.name == kRowBoxes) return QStringLiteral("行データ %1").arg(control.index);
  if (control.kind == ControlKind::Label) {
    return QString::fromUtf8(control.text.data(), static_cast<qsizetype>(control.text.size()));
  }
  const Named *named = find(control.name);
  return named != nullptr ? QString::fromUtf8(named->name) : QString();
}

QString accessibleDescriptionFor(const ControlEntry &control) {
  if (control.name == kCellGrid) return QStringLiteral("初期データ１のマス");
  if (control.name == kRowBoxes) return QStringLiteral("初期データ２：1行分の数字、左の列から");
  const Named *named = find(control.name);
  return named != nullptr ? QString::fromUtf8(named->description) : QString();
}

}  // namespace numplace::app
