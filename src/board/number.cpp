#include "board/number.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace numplace {
namespace {

// Length of the blank at the front of s (0 when s starts with no blank).
std::size_t blankLength(std::string_view s) {
  if (s.empty()) return 0;
  if (s[0] == ' ' || s[0] == '\t' || s[0] == '\r' || s[0] == '\n') return 1;
  if (s.starts_with("\xE3\x80\x80")) return 3;  // U+3000 ideographic space
  return 0;
}

// The digit at the front of s (ASCII or full-width), with its byte length.
int digitAt(std::string_view s, std::size_t &length) {
  if (!s.empty() && s[0] >= '0' && s[0] <= '9') {
    length = 1;
    return s[0] - '0';
  }
  // U+FF10..U+FF19 are EF BC 90..99.
  if (s.size() >= 3 && static_cast<unsigned char>(s[0]) == 0xEF && static_cast<unsigned char>(s[1]) == 0xBC) {
    const auto third = static_cast<unsigned char>(s[2]);
    if (third >= 0x90 && third <= 0x99) {
      length = 3;
      return third - 0x90;
    }
  }
  length = 0;
  return -1;
}

}  // namespace

ParsedNumber parseNumber(std::string_view text) {
  std::string ascii;  // normalised: sign, digits, point
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (std::size_t n = blankLength(text.substr(i))) i += n;
  };
  skipBlanks();
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') ascii += '-';
    ++i;
  }
  bool digits = false;
  bool point = false;
  for (;;) {
    skipBlanks();
    if (i >= text.size()) break;
    std::size_t len = 0;
    const int d = digitAt(text.substr(i), len);
    if (d >= 0) {
      ascii += static_cast<char>('0' + d);
      digits = true;
      i += len;
    } else if (text[i] == '.' && !point) {
      ascii += '.';
      point = true;
      ++i;
    } else {
      break;
    }
  }
  ParsedNumber out;
  out.hasDigits = digits;
  out.wholeText = digits && i == text.size();
  if (!digits) return out;
  const char *first = ascii.data();
  const char *last = ascii.data() + ascii.size();
  double value = 0;
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::result_out_of_range) {
    // Overflow or underflow: a long run of digits before or after the point.
    const bool negative = ascii.starts_with('-');
    const auto dot = ascii.find('.');
    const auto intDigits =
        ascii.substr(negative ? 1 : 0, dot == std::string::npos ? std::string::npos : dot - (negative ? 1 : 0));
    const bool large = intDigits.find_first_not_of('0') != std::string::npos;
    value = large ? std::numeric_limits<double>::infinity() : 0.0;
    if (negative) value = -value;
  } else if (ec != std::errc{}) {
    value = 0;
  }
  out.value = value == 0 ? 0.0 : value;  // never -0
  return out;
}

double textToNumber(std::string_view text) { return parseNumber(text).value; }

std::string plainNumber(std::int64_t value) { return std::to_string(value); }

std::string printedNumber(std::int64_t value) {
  return value < 0 ? std::to_string(value) + " " : " " + std::to_string(value) + " ";
}

std::string paddedNumber(std::int64_t value) { return value < 0 ? std::to_string(value) : " " + std::to_string(value); }

std::string formatRight10(std::int64_t value) {
  const std::string digits = value == 0 ? std::string() : std::to_string(value);
  const std::string padded = std::string(10, ' ') + digits;
  return padded.substr(padded.size() - 10);
}

}  // namespace numplace
