// The data-file reader on arbitrary bytes as the file's content. Besides not
// crashing, it checks the promises the puzzle source builds on: nine records
// or a message, a numeric first field in every record accepted, fields that
// hold no separator, messages that are clean UTF-8 whatever the bytes, and
// that line-break style and the label do not matter.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "board/input_error.h"
#include "board/messages.h"
#include "board/number.h"
#include "board/sources.h"

namespace {

[[noreturn]] void fail(const char *what, std::size_t size) {
  std::fprintf(stderr, "fuzz_datafile: %s (input of %zu bytes)\n", what, size);
  std::abort();
}

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

void checkResult(const numplace::DataFileResult &r, std::size_t size) {
  if (r.recordsRead < 0 || r.recordsRead > 9) fail("recordsRead outside 0..9", size);
  if (r.error.has_value() != (r.recordsRead < 9)) fail("a message exactly when fewer than nine records", size);
  if (r.error) {
    using Kind = numplace::InputError::Kind;
    const numplace::InputError &e = *r.error;
    const std::string text = numplace::inputErrorText(e);
    if (text.empty()) fail("an empty message", size);
    if (numplace::shownText(text, text.size()) != text) fail("a message that cannot be shown", size);
    switch (e.kind) {
      case Kind::NoFields:
        if (e.fieldCount != 0) fail("no fields, but some counted", size);
        break;
      case Kind::TooFewFields:
        if (e.fieldCount < 1 || e.fieldCount >= 45 || e.fieldCount != 5 * r.recordsRead + e.fieldCount % 5)
          fail("the fields counted do not match the records read", size);
        break;
      case Kind::RowNotANumber:
      case Kind::FieldsOutOfStep:
        if (e.row != r.recordsRead + 1 || e.token != r.records[static_cast<std::size_t>(e.row)].fields[0])
          fail("the field at fault is not the first of the record that failed", size);
        if ((e.kind == Kind::RowNotANumber) != (e.place.field == 1)) fail("the kind disagrees with the place", size);
        break;
      default:
        fail("a kind the data-file reader does not give", size);
    }
  }
  for (int k = 1; k <= r.recordsRead; ++k) {
    const auto &rec = r.records[static_cast<std::size_t>(k)];
    const std::string &first = rec.fields[0];
    const bool blank = first.find_first_not_of(" \t") == std::string::npos;
    if (!blank && !numplace::parseNumber(first).wholeText) fail("a non-numeric first field was accepted", size);
    for (std::size_t f = 0; f < 5; ++f) {
      const std::string &text = rec.fields[f];
      if (rec.quoted[f]) {
        if (text.find('"') != std::string::npos) fail("a quoted field keeps a quote", size);
        continue;
      }
      if (text.find_first_of(",\r\n") != std::string::npos) fail("an unquoted field holds a separator", size);
      if (!text.empty() && (isBlank(text.front()) || isBlank(text.back()))) fail("blanks kept around a field", size);
    }
  }
}

bool sameRecords(const numplace::DataFileResult &a, const numplace::DataFileResult &b, bool ignoreCarriageReturns) {
  if (a.recordsRead != b.recordsRead || a.error.has_value() != b.error.has_value()) return false;
  if (a.error && (a.error->kind != b.error->kind || a.error->place != b.error->place ||
                  a.error->fieldCount != b.error->fieldCount))
    return false;
  const auto strip = [&](std::string s) {
    if (ignoreCarriageReturns) std::erase(s, '\r');
    return s;
  };
  for (int k = 1; k <= a.recordsRead; ++k) {
    const auto &ra = a.records[static_cast<std::size_t>(k)];
    const auto &rb = b.records[static_cast<std::size_t>(k)];
    for (std::size_t f = 0; f < 5; ++f) {
      if (ra.quoted[f] != rb.quoted[f] || strip(ra.fields[f]) != strip(rb.fields[f])) return false;
      if (ra.places[f] != rb.places[f]) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char *>(data), size);
  const numplace::DataFileResult r = numplace::parseDataFile(content, "fuzz.csv");
  checkResult(r, size);

  // The name only labels the messages.
  const numplace::DataFileResult named = numplace::parseDataFile(content, "データ 2.csv");
  if (!sameRecords(r, named, false)) fail("the file name changed what was read", size);

  // A file saved with Windows line breaks reads like the same file with LF ones.
  if (content.find('\r') == std::string_view::npos) {
    std::string crlf;
    for (const char ch : content) {
      if (ch == '\n') crlf += '\r';
      crlf += ch;
    }
    const numplace::DataFileResult w = numplace::parseDataFile(crlf, "fuzz.csv");
    checkResult(w, crlf.size());
    if (!sameRecords(r, w, true)) fail("CRLF line breaks read differently from LF ones", size);
  }
  return 0;
}
