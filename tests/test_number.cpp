// Reading numbers out of control texts and writing numbers for the surface,
// the report texts and the trace.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "board/number.h"
#include "cli/trace.h"

namespace numplace {
namespace {

struct TextCase {
  std::string text;
  double value;
  friend void PrintTo(const TextCase &c, std::ostream *os) { *os << "[" << c.text << "]"; }
};

class LeadingNumberOfText : public ::testing::TestWithParam<TextCase> {};

TEST_P(LeadingNumberOfText, ReadsTheLeadingNumberSkippingBlanks) {
  EXPECT_DOUBLE_EQ(textToNumber(GetParam().text), GetParam().value) << "text: [" << GetParam().text << "]";
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberOfText,
                         ::testing::Values(TextCase{"530070000", 530070000}, TextCase{"530 070 000", 530070000},
                                           TextCase{"  7  ", 7}, TextCase{"\t12", 12}, TextCase{"", 0},
                                           TextCase{" ", 0}, TextCase{"追加 1", 0}, TextCase{"abc", 0},
                                           TextCase{"12abc", 12}, TextCase{"1か２", 1}, TextCase{"５", 5},
                                           TextCase{"１２３", 123},
                                           TextCase{"\xE3\x80\x80"
                                                    "5",
                                                    5},
                                           TextCase{"5\xE3\x80\x80"
                                                    "3",
                                                    53},
                                           TextCase{"１ ２", 12}, TextCase{"-5", -5}, TextCase{"+8", 8},
                                           TextCase{"- 5", -5}, TextCase{"-", 0}, TextCase{".", 0},
                                           TextCase{"1.5", 1.5}, TextCase{"537.9", 537.9}, TextCase{"1.2.3", 1.2},
                                           TextCase{".25", 0.25}, TextCase{"0070000", 70000}, TextCase{"7-3", 7}));

TEST(LeadingNumberOfText, HugeDigitRunsStayFiniteOrBecomeInfinite) {
  const std::string nines(400, '9');
  EXPECT_TRUE(std::isinf(textToNumber(nines)));
  EXPECT_GT(textToNumber(nines), 0);
  EXPECT_TRUE(std::isinf(textToNumber("-" + nines)));
  EXPECT_LT(textToNumber("-" + nines), 0);
  const double tiny = textToNumber("0." + std::string(400, '0') + "1");
  EXPECT_TRUE(std::isfinite(tiny));
  EXPECT_GE(tiny, 0);
  EXPECT_LT(tiny, 1e-300);
  EXPECT_DOUBLE_EQ(textToNumber("12345678912345"), 12345678912345.0);
}

TEST(WholeNumberText, TellsWhetherTheTextWasOneNumber) {
  EXPECT_TRUE(parseNumber(" 530 070 000 ").wholeText);
  EXPECT_TRUE(parseNumber("５").wholeText);
  EXPECT_FALSE(parseNumber("12abc").wholeText);
  EXPECT_TRUE(parseNumber("12abc").hasDigits);
  EXPECT_FALSE(parseNumber("abc").hasDigits);
  EXPECT_FALSE(parseNumber("").hasDigits);
  EXPECT_FALSE(parseNumber("-").wholeText);
}

struct FormatCase {
  std::int64_t value;
  std::string text;
  friend void PrintTo(const FormatCase &c, std::ostream *os) { *os << c.value; }
};

class RightAlignedTen : public ::testing::TestWithParam<FormatCase> {};

TEST_P(RightAlignedTen, FormatsWithoutLeadingZerosInTenCharacters) {
  EXPECT_EQ(formatRight10(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, RightAlignedTen,
                         ::testing::Values(FormatCase{0, "          "}, FormatCase{149, "       149"},
                                           FormatCase{7, "         7"}, FormatCase{123456789, " 123456789"},
                                           FormatCase{999999999, " 999999999"}, FormatCase{1234567890, "1234567890"},
                                           FormatCase{12345678901, "2345678901"}));

TEST(NumbersOnTheSurface, PrintSignPlaceDigitsAndOneBlank) {
  EXPECT_EQ(printedNumber(5), " 5 ");
  EXPECT_EQ(printedNumber(12), " 12 ");
  EXPECT_EQ(printedNumber(0), " 0 ");
  EXPECT_EQ(printedNumber(-3), "-3 ");
}

TEST(NumbersInReportTexts, HaveOneLeadingBlankAndNoTrailingOne) {
  EXPECT_EQ(paddedNumber(7), " 7");
  EXPECT_EQ(paddedNumber(12), " 12");
  EXPECT_EQ(plainNumber(35), "35");
  EXPECT_EQ(plainNumber(0), "0");
}

struct TraceNumberCase {
  double value;
  std::string text;
  friend void PrintTo(const TraceNumberCase &c, std::ostream *os) { *os << c.value; }
};

class TraceNumbers : public ::testing::TestWithParam<TraceNumberCase> {};

TEST_P(TraceNumbers, RoundToThreeDecimalsWithoutTrailingZeros) {
  EXPECT_EQ(traceNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, TraceNumbers,
                         ::testing::Values(TraceNumberCase{8556, "8556"}, TraceNumberCase{9064.85, "9064.85"},
                                           TraceNumberCase{5500 + 180 * 0.01, "5501.8"},
                                           TraceNumberCase{6300 + 8800.0 / 3, "9233.333"}, TraceNumberCase{0.0004, "0"},
                                           TraceNumberCase{-0.0004, "0"}, TraceNumberCase{-0.0, "0"},
                                           TraceNumberCase{-12.5, "-12.5"}, TraceNumberCase{40, "40"},
                                           TraceNumberCase{20.25, "20.25"}));

TEST(TraceStrings, AreJsonLiteralsWithNonAsciiKept) {
  EXPECT_EQ(traceString("終了"), "\"終了\"");
  EXPECT_EQ(traceString(" 5 "), "\" 5 \"");
  EXPECT_EQ(traceString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(traceString("x\ny\tz\r"), "\"x\\ny\\tz\\r\"");
  EXPECT_EQ(traceString(std::string("\x01", 1)), "\"\\u0001\"");
  EXPECT_EQ(traceString("\xE3\x80\x80"), "\"\xE3\x80\x80\"");
}

}  // namespace
}  // namespace numplace
