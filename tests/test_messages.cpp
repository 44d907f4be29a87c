// The pieces of the bad-input messages: quoting what the user typed or the
// file holds, naming a file, and cutting a message into lines.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "board/messages.h"

namespace numplace_test {
namespace {

using numplace::estimatedWidth;
using numplace::shownFileName;
using numplace::shownText;
using numplace::wrapMessage;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

std::size_t characters(std::string_view utf8) {
  std::size_t n = 0;
  for (const char ch : utf8) n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

TEST(ShownText, ReplacesWhatCannotBeShownAndKeepsTheRest) {
  EXPECT_EQ(shownText("easy", 16), "easy");
  EXPECT_EQ(shownText("日本語 テキスト", 16), "日本語 テキスト");
  EXPECT_EQ(shownText("", 16), "");
  struct Case {
    std::string raw, shown;
  };
  const std::string r(kReplacement);
  for (const Case &c : std::vector<Case>{
           {"a\xFF"
            "b",
            "a" + r + "b"},                               // not UTF-8 at all
           {"\xC0\xAF", r + r},                           // an overlong slash
           {"\xED\xA0\x80", r + r + r},                   // a surrogate
           {"\xF4\x90\x80\x80", r + r + r + r},           // beyond U+10FFFF
           {"\xE6\x97", r + r},                           // cut short
           {"a\tb\x1B[31m", "a" + r + "b" + r + "[31m"},  // tab and escape
           {"x\x7F\xC2\x85y", "x" + r + r + "y"},         // DEL and NEL
           {"\xE2\x80\xAE"
            "abc",
            r + "abc"},  // right-to-left override
           {"a\xE2\x80\xA8"
            "b",
            "a" + r + "b"},  // line separator
           {"\xEF\xBB\xBF"
            "1",
            r + "1"},  // byte-order mark
       }) {
    EXPECT_EQ(shownText(c.raw, 16), c.shown) << c.raw;
  }
}

TEST(ShownText, CutsLongTextWithAnEllipsis) {
  EXPECT_EQ(shownText(std::string(16, '9'), 16), std::string(16, '9'));
  EXPECT_EQ(shownText(std::string(400, '9'), 16), std::string(15, '9') + "…");
  EXPECT_EQ(shownText("あいうえおかきくけこ", 4), "あいう…");
}

// Whatever the bytes, what comes out is clean, so a second pass keeps it as
// it is, and it is never longer than asked.
TEST(ShownText, GivesCleanShortTextForAnyBytes) {
  std::mt19937 random(14);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<std::size_t> length(0, 40);
  for (int round = 0; round < 2000; ++round) {
    std::string raw(length(random), '\0');
    for (char &ch : raw) ch = static_cast<char>(byte(random));
    const std::string shown = shownText(raw, 16);
    EXPECT_EQ(shownText(shown, 16), shown);
    EXPECT_LE(characters(shown), 16u);
    for (const char ch : shown) EXPECT_GE(static_cast<unsigned char>(ch), 0x20);
  }
}

TEST(ShownFileName, DropsTheFoldersAndShortensTheMiddle) {
  EXPECT_EQ(shownFileName("karune111.csv"), "karune111.csv");
  EXPECT_EQ(shownFileName("/home/someone/Documents/puzzles/karune111.csv"), "karune111.csv");
  EXPECT_EQ(shownFileName("examples/csv/"), "csv");
  EXPECT_EQ(shownFileName("/"), "/");
  EXPECT_EQ(shownFileName(""), "");
  const std::string longName = shownFileName("/tmp/karune111-from-the-magazine-of-may-2022-extra.csv");
  EXPECT_EQ(longName, "karune111-from-t…-2022-extra.csv");
  EXPECT_EQ(characters(longName), 32u);
  EXPECT_EQ(shownFileName("/tmp/a\nb.csv"), "a" + std::string(kReplacement) + "b.csv");
}

// The lines give the message back, each within the width, broken after a
// sentence or a quotation where there is one, never before a closing mark
// and never inside a file name.
TEST(WrapMessage, CutsAtGoodPlacesWithinTheWidth) {
  const std::string message =
      "データファイル「four_fields.csv」の3行目の3項目め「easy」が、行の数字を読む場所にあります。"
      "各行に5項目ずつあるか確かめてください。";
  for (const double width : {50.0, 30.0, 20.0, 12.0}) {
    const std::vector<std::string> lines = wrapMessage(message, width);
    std::string joined;
    for (const std::string &line : lines) {
      joined += line;
      EXPECT_LE(estimatedWidth(line), width) << line;
      for (const char *mark : {"。", "、", "」", "）"}) EXPECT_NE(line.find(mark), 0u) << line;
    }
    EXPECT_EQ(joined, message) << width;
    EXPECT_NE(joined.find("four_fields.csv"), std::string::npos);
    bool nameWhole = false;
    for (const std::string &line : lines) nameWhole = nameWhole || line.find("four_fields.csv") != std::string::npos;
    EXPECT_TRUE(nameWhole) << width;
  }
  const std::vector<std::string> two = wrapMessage(message, 50);
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[1], "各行に5項目ずつあるか確かめてください。");
  // Without a sentence end in reach, after the last quotation in the line's second half.
  const std::vector<std::string> clauses = wrapMessage("「入力データ名」のファイル「karune111.csv」を開けません。", 12);
  ASSERT_GE(clauses.size(), 2u);
  EXPECT_EQ(clauses[0], "「入力データ名」");
  EXPECT_EQ(wrapMessage("終了", 50), std::vector<std::string>{"終了"});
  EXPECT_TRUE(wrapMessage("", 50).empty());
}

TEST(WrapMessage, CutsALongNameOnlyWhenItIsLongerThanALine) {
  const std::string name(100, 'x');
  const std::vector<std::string> lines = wrapMessage("「" + name + "」を開けません。", 20);
  std::string joined;
  for (const std::string &line : lines) {
    EXPECT_LE(estimatedWidth(line), 20) << line;
    joined += line;
  }
  EXPECT_EQ(joined, "「" + name + "」を開けません。");
  EXPECT_GE(lines.size(), 4u);
}

}  // namespace
}  // namespace numplace_test
