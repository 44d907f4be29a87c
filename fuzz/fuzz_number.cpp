// The text-to-number conversion on arbitrary bytes (UTF-8 and not). Besides
// not crashing, it checks what every caller relies on, and that the ways of
// writing the same number a user has (blanks, full-width digits) agree.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "board/number.h"

namespace {

[[noreturn]] void fail(const char *what, std::string_view text) {
  std::fprintf(stderr, "fuzz_number: %s (input of %zu bytes)\n", what, text.size());
  std::abort();
}

bool sameValue(double a, double b) { return a == b || (std::isinf(a) && std::isinf(b) && (a > 0) == (b > 0)); }

void checkShape(const numplace::ParsedNumber &n, std::string_view text) {
  if (std::isnan(n.value)) fail("value is NaN", text);
  if (n.value == 0 && std::signbit(n.value)) fail("-0 returned", text);
  if (n.wholeText && !n.hasDigits) fail("wholeText without hasDigits", text);
  if (!n.hasDigits && n.value != 0) fail("a value without digits", text);
}

// The same text with every ASCII digit typed full-width, as an input method does.
std::string fullWidth(std::string_view text) {
  std::string out;
  for (const char ch : text) {
    if (ch >= '0' && ch <= '9') {
      out += "\xEF\xBC";
      out += static_cast<char>(0x90 + (ch - '0'));
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  const numplace::ParsedNumber n = numplace::parseNumber(text);
  checkShape(n, text);
  if (!sameValue(numplace::textToNumber(text), n.value)) fail("textToNumber differs from parseNumber", text);

  // Blanks are skipped anywhere: a leading ASCII or ideographic blank changes nothing.
  for (const std::string_view blank : {std::string_view(" "), std::string_view("\xE3\x80\x80")}) {
    const numplace::ParsedNumber b = numplace::parseNumber(std::string(blank) + std::string(text));
    checkShape(b, text);
    if (!sameValue(b.value, n.value) || b.hasDigits != n.hasDigits || b.wholeText != n.wholeText) {
      fail("a leading blank changed the result", text);
    }
  }

  // "５" must mean 5.
  const numplace::ParsedNumber w = numplace::parseNumber(fullWidth(text));
  checkShape(w, text);
  if (!sameValue(w.value, n.value) || w.hasDigits != n.hasDigits || w.wholeText != n.wholeText) {
    fail("full-width digits read differently from ASCII digits", text);
  }

  // Only the leading number counts: a letter behind the text changes the value of nothing.
  const numplace::ParsedNumber x = numplace::parseNumber(std::string(text) + "x");
  checkShape(x, text);
  if (!sameValue(x.value, n.value) || x.hasDigits != n.hasDigits || x.wholeText) {
    fail("a trailing letter changed the value", text);
  }

  // Short runs of ASCII digits have an exact value to compare with.
  if (size >= 1 && size <= 15 && text.find_first_not_of("0123456789") == std::string_view::npos) {
    std::int64_t expected = 0;
    for (const char ch : text) expected = expected * 10 + (ch - '0');
    if (!n.wholeText || n.value != static_cast<double>(expected)) fail("plain digits misread", text);
  }
  return 0;
}
