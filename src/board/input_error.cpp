#include "board/input_error.h"

#include "board/layout.h"
#include "board/messages.h"

namespace numplace {
namespace {

// What a message quotes of a text the user typed or a file holds.
constexpr std::size_t kQuotedChars = 16;

// A box or the grid as the user knows it: by the caption it shows or stands under.
std::string captionOf(ControlRef ref) { return "「" + std::string(findControl(ref)->text) + "」"; }

std::string quoted(std::string_view text) { return "「" + shownText(text, kQuotedChars) + "」"; }

std::string dataFileNamed(std::string_view name) { return "データファイル「" + shownFileName(name) + "」"; }

std::string placeOf(const FieldPlace &place) {
  return std::to_string(place.line) + "行目の" + std::to_string(place.field) + "項目め";
}

// A number that cannot go onto the board, where it stands and why.
std::string wrongNumberText(const InputError &e) {
  const std::string why = e.kind == InputError::Kind::TooLarge ? "は大きすぎます。" : "は整数ではありません。";
  if (e.box.name == controls::Text15.name) {
    return captionOf(controls::Label4) + "の" + std::to_string(e.row) + "行" + std::to_string(e.column) + "列の" +
           quoted(e.token) + why + "マスには数字を1つだけ入れてください。";
  }
  if (e.box.name == controls::Text5.name) {
    return captionOf(controls::Label3) + "の" + std::to_string(e.row) + "行目の" + quoted(e.token) + why +
           "行の9つの数字を入れてください。";
  }
  return dataFileNamed(e.file) + "の" + placeOf(e.place) + quoted(e.token) + why +
         "1項目めには行の9つの数字を書きます。";
}

}  // namespace

std::string inputErrorText(const InputError &e) {
  using Kind = InputError::Kind;
  switch (e.kind) {
    case Kind::CannotOpenFile:
      return captionOf(controls::Label1) + "のファイル「" + shownFileName(e.file) + "」を開けません。";
    case Kind::CannotReadFile:
      return captionOf(controls::Label1) + "の「" + shownFileName(e.file) +
             "」を読めません（フォルダーか、読めないファイルです）。";
    case Kind::FileNotRegular:
      return captionOf(controls::Label1) + "の「" + shownFileName(e.file) +
             "」は通常のファイルではありません（パイプや装置は読みません）。";
    case Kind::FileTooLarge:
      return captionOf(controls::Label1) + "のファイル「" + shownFileName(e.file) + "」は大きすぎます（64 MiB まで）。";
    case Kind::NoFields:
      return dataFileNamed(e.file) + "に項目がありません。9行それぞれに5項目が必要です。";
    case Kind::TooFewFields:
      return dataFileNamed(e.file) + "の項目は" + std::to_string(e.fieldCount) + "個で、" +
             std::to_string(e.place.line) + "行目で終わっています。9行それぞれに5項目、合わせて45項目が必要です。";
    case Kind::RowNotANumber:
      return dataFileNamed(e.file) + "の" + placeOf(e.place) + quoted(e.token) +
             "が数ではありません。1項目めには行の9つの数字を書きます。";
    case Kind::FieldsOutOfStep:
      return dataFileNamed(e.file) + "の" + placeOf(e.place) + quoted(e.token) +
             "が、行の数字を読む場所にあります。各行に5項目ずつあるか確かめてください。";
    case Kind::TooLarge:
    case Kind::NotWhole:
      return wrongNumberText(e);
    case Kind::GridRowTooLarge:
      return captionOf(controls::Label4) + "の" + std::to_string(e.row) +
             "行目の数が大きすぎます。マスには数字を1つだけ入れてください。";
    case Kind::ExtraGivenUnusable:
      break;
  }
  return captionOf(e.box) + "の" + quoted(e.token) +
         "は使えません。行・列・数字の3桁（100～999）か 0 を入れてください。";
}

}  // namespace numplace
