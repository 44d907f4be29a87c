// Numbers as the window reads and writes them.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace numplace {

// The leading number of a text: blanks (ASCII, tab, ideographic space) are
// skipped anywhere, an optional sign and one decimal point are taken,
// full-width digits count as digits; empty or non-numeric text gives 0.
// A number too large for a double gives +-infinity, never undefined results.
double textToNumber(std::string_view text);

// Like textToNumber, but also tells whether the whole text was one number
// (nothing but blanks around and inside it, at least one digit).
struct ParsedNumber {
  double value = 0;
  bool hasDigits = false;
  bool wholeText = false;
};
ParsedNumber parseNumber(std::string_view text);

// Int() of the window's arithmetic: rounds toward minus infinity.
inline double intPart(double v) { return std::floor(v); }

// A whole number as a control text: "7", "35", "-2".
std::string plainNumber(std::int64_t value);

// A number as the surface prints it: sign place (blank or minus), digits,
// one blank behind. 5 -> " 5 ".
std::string printedNumber(std::int64_t value);

// A number as the report texts write it: one leading blank, no trailing one.
std::string paddedNumber(std::int64_t value);

// The digits of a whole number without leading zeros (nothing for 0),
// right-aligned in a field of exactly ten characters.
std::string formatRight10(std::int64_t value);

}  // namespace numplace
