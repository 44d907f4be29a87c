#include "board/sources.h"

#include <cmath>

#include "board/layout.h"
#include "board/number.h"

namespace numplace {
namespace {

// Whole numbers up to this size are exact in a double.
constexpr double kLargestExact = 9007199254740992.0;  // 2^53

double cellValue(const Controls &controls, int r, int c) {
  return textToNumber(controls.text({"Text15", cellIndex(r, c)}));
}

// Adds the leading 1,000,000,000 and counts the rows that were empty.
int finishRowCodes(Tables &t) {
  int empty = 0;
  for (int r = 1; r <= 9; ++r) {
    if (t.RowCodes[r] == 0) ++empty;
    t.RowCodes[r] += 1'000'000'000;
  }
  return empty;
}

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

}  // namespace

DataFileResult parseDataFile(std::string_view content, std::string_view name) {
  DataFileResult out;
  std::size_t i = 0;
  if (content.starts_with("\xEF\xBB\xBF")) i = 3;  // UTF-8 byte-order mark
  const auto atLineBreak = [&] { return i < content.size() && (content[i] == '\n' || content[i] == '\r'); };
  const auto skipBlanks = [&] {
    while (i < content.size() && isBlank(content[i])) ++i;
  };
  // Reads one field and its separator; false at the end of the content.
  const auto readField = [&](std::string &text, bool &quoted) -> bool {
    // Leading blank lines (and blanks) before a field are skipped.
    for (;;) {
      skipBlanks();
      if (atLineBreak()) {
        ++i;
        continue;
      }
      break;
    }
    if (i >= content.size()) return false;
    text.clear();
    quoted = false;
    if (content[i] == '"') {
      quoted = true;
      ++i;
      const std::size_t close = content.find('"', i);
      const std::size_t end = close == std::string_view::npos ? content.size() : close;
      text.assign(content.substr(i, end - i));
      i = close == std::string_view::npos ? content.size() : close + 1;
      // Anything up to the separator after the closing quote is ignored.
      while (i < content.size() && content[i] != ',' && content[i] != '\n' && content[i] != '\r') ++i;
    } else {
      const std::size_t start = i;
      while (i < content.size() && content[i] != ',' && content[i] != '\n' && content[i] != '\r') ++i;
      std::size_t end = i;
      while (end > start && isBlank(content[end - 1])) --end;
      text.assign(content.substr(start, end - start));
    }
    if (i < content.size() && content[i] == ',') {
      ++i;
      // A comma that ends a line is one separator with the line break.
      skipBlanks();
      if (i < content.size() && content[i] == '\r') ++i;
      if (i < content.size() && content[i] == '\n') ++i;
    } else if (atLineBreak()) {
      if (content[i] == '\r') ++i;
      if (i < content.size() && content[i] == '\n') ++i;
    }
    return true;
  };

  for (int k = 1; k <= 9; ++k) {
    for (int f = 0; f < 5; ++f) {
      auto &rec = out.records[static_cast<std::size_t>(k)];
      bool quoted = false;
      if (!readField(rec.fields[static_cast<std::size_t>(f)], quoted)) {
        out.error = "データファイル「" + std::string(name) + "」のデータが足りません（" + std::to_string(k) +
                    "行目）。9行それぞれに5項目が必要です。";
        return out;
      }
      rec.quoted[static_cast<std::size_t>(f)] = quoted;
    }
    const auto &field1 = out.records[static_cast<std::size_t>(k)].fields[0];
    const ParsedNumber n = parseNumber(field1);
    const bool blank = field1.find_first_not_of(" \t") == std::string::npos;
    if (!blank && !n.wholeText) {
      out.error =
          "データファイル「" + std::string(name) + "」の" + std::to_string(k) + "行目の1項目めが数字ではありません。";
      return out;
    }
    out.recordsRead = k;
  }
  return out;
}

std::optional<std::string> readPuzzle(const Controls &controls, const FileReader &files, Tables &t) {
  std::string source = "初期データ　１";
  for (int r = 1; r <= 9; ++r) {
    double code = 0;
    for (int c = 1; c <= 9; ++c) code += cellValue(controls, r, c) * std::pow(10.0, 9 - c);
    t.RowCodes[r] = code;
  }
  int empty = finishRowCodes(t);
  if (empty >= 3) {
    source = "初期データ　２";
    for (int r = 1; r <= 9; ++r) t.RowCodes[r] = textToNumber(controls.text({"Text5", r}));
    empty = finishRowCodes(t);
  }
  if (empty >= 3) {
    const std::string name = controls.text({"Text3"});
    source = "データファイル「" + name + "」";
    const FileBytes bytes = files.read(name);
    if (bytes.failure == FileBytes::Failure::CannotOpen) return "データファイル「" + name + "」を開けません。";
    if (bytes.failure == FileBytes::Failure::CannotRead) return "データファイル「" + name + "」を読めません。";
    const DataFileResult file = parseDataFile(bytes.content, name);
    if (file.error) return file.error;
    for (int k = 1; k <= 9; ++k) {
      t.RowCodes[k] = textToNumber(file.records[static_cast<std::size_t>(k)].fields[0]) + 1'000'000'000;
    }
  }
  // The board takes only whole digits: a fraction or a number beyond exact
  // arithmetic would put something other than a digit into a cell.
  for (int r = 1; r <= 9; ++r) {
    const double v = t.RowCodes[r];
    if (!std::isfinite(v) || std::fabs(v) >= kLargestExact || v != std::floor(v)) {
      return source + "の" + std::to_string(r) + "行目の数が正しくありません（整数の数字だけを入れてください）。";
    }
  }
  return std::nullopt;
}

std::optional<std::string> checkExtraGivens(const Controls &controls) {
  for (int box = 1; box <= 2; ++box) {
    const std::string name = box == 1 ? "Text1" : "Text2";
    const double v = textToNumber(controls.text({name}));
    if (!std::isfinite(v) || v < 0 || v >= 1000) {
      return "追加データ" + std::to_string(box) + "（" + name +
             "）の値が範囲外です。行・列・数字の3桁（100～999）か 0 を入れてください。";
    }
  }
  return std::nullopt;
}

void layExtraGivens(const Controls &controls, Tables &t) {
  layTrialCode(t, textToNumber(controls.text({"Text1"})));
  layTrialCode(t, textToNumber(controls.text({"Text2"})));
}

}  // namespace numplace
