#include "board/sources.h"

#include <cmath>

#include "board/layout.h"
#include "board/messages.h"
#include "board/number.h"

namespace numplace {
namespace {

// Whole numbers up to this size are exact in a double.
constexpr double kLargestExact = 9007199254740992.0;  // 2^53
// What a message quotes of a text the user typed or a file holds.
constexpr std::size_t kQuotedChars = 16;

// A box or the grid as the user knows it: by the caption it shows or stands under.
std::string captionOf(ControlRef ref) { return "「" + std::string(findControl(ref)->text) + "」"; }

std::string quoted(std::string_view text) { return "「" + shownText(text, kQuotedChars) + "」"; }

std::string dataFileNamed(std::string_view name) { return "データファイル「" + shownFileName(name) + "」"; }

std::string placeOf(const FieldPlace &place) {
  return std::to_string(place.line) + "行目の" + std::to_string(place.field) + "項目め";
}

// Why a number cannot go onto the board, or nothing when it can.
std::optional<std::string> wrongNumber(double v) {
  if (!std::isfinite(v) || std::fabs(v) >= kLargestExact) return "は大きすぎます。";
  if (v != std::floor(v)) return "は整数ではありません。";
  return std::nullopt;
}

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
  FieldPlace at{1, 0};                             // the line being read, the fields begun on it
  int fieldsRead = 0;
  const auto atLineBreak = [&] { return i < content.size() && (content[i] == '\n' || content[i] == '\r'); };
  const auto skipBlanks = [&] {
    while (i < content.size() && isBlank(content[i])) ++i;
  };
  // Steps over one line break: LF, CR LF or CR.
  const auto nextLine = [&] {
    if (content[i] == '\r') ++i;
    if (i < content.size() && content[i] == '\n') ++i;
    at = {at.line + 1, 0};
  };
  // Reads one field and its separator; false at the end of the content.
  const auto readField = [&](std::string &text, bool &quoted, FieldPlace &place) -> bool {
    // Leading blank lines (and blanks) before a field are skipped.
    for (;;) {
      skipBlanks();
      if (!atLineBreak()) break;
      nextLine();
    }
    if (i >= content.size()) return false;
    text.clear();
    quoted = false;
    place = {at.line, ++at.field};
    if (content[i] == '"') {
      quoted = true;
      ++i;
      const std::size_t close = content.find('"', i);
      const std::size_t end = close == std::string_view::npos ? content.size() : close;
      text.assign(content.substr(i, end - i));
      // A quoted text may run over lines; the next field stands on the last.
      for (std::size_t k = i; k < end; ++k) {
        if (content[k] == '\n' || (content[k] == '\r' && (k + 1 == end || content[k + 1] != '\n'))) {
          at = {at.line + 1, 1};
        }
      }
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
      if (atLineBreak()) nextLine();
    } else if (atLineBreak()) {
      nextLine();
    }
    return true;
  };

  int lastLine = 0;
  for (int k = 1; k <= 9; ++k) {
    auto &rec = out.records[static_cast<std::size_t>(k)];
    for (int f = 0; f < 5; ++f) {
      const auto slot = static_cast<std::size_t>(f);
      bool quoted = false;
      if (!readField(rec.fields[slot], quoted, rec.places[slot])) {
        out.error = fieldsRead == 0 ? dataFileNamed(name) + "に項目がありません。9行それぞれに5項目が必要です。"
                                    : dataFileNamed(name) + "の項目は" + std::to_string(fieldsRead) + "個で、" +
                                          std::to_string(lastLine) +
                                          "行目で終わっています。9行それぞれに5項目、合わせて45項目が必要です。";
        return out;
      }
      rec.quoted[slot] = quoted;
      lastLine = rec.places[slot].line;
      ++fieldsRead;
    }
    const auto &field1 = rec.fields[0];
    const ParsedNumber n = parseNumber(field1);
    const bool blank = field1.find_first_not_of(" \t") == std::string::npos;
    if (!blank && !n.wholeText) {
      const FieldPlace &place = rec.places[0];
      out.error = dataFileNamed(name) + "の" + placeOf(place) + quoted(field1) +
                  (place.field == 1 ? "が数ではありません。1項目めには行の9つの数字を書きます。"
                                    : "が、行の数字を読む場所にあります。各行に5項目ずつあるか確かめてください。");
      return out;
    }
    out.recordsRead = k;
  }
  return out;
}

std::optional<std::string> readPuzzle(const Controls &controls, const FileReader &files, Tables &t,
                                      PuzzleSource *readFrom) {
  using Source = SourceKind;
  Source source = Source::Grid;
  for (int r = 1; r <= 9; ++r) {
    double code = 0;
    for (int c = 1; c <= 9; ++c) code += cellValue(controls, r, c) * std::pow(10.0, 9 - c);
    t.RowCodes[r] = code;
  }
  int empty = finishRowCodes(t);
  if (empty >= 3) {
    source = Source::Rows;
    for (int r = 1; r <= 9; ++r) t.RowCodes[r] = textToNumber(controls.text({"Text5", r}));
    empty = finishRowCodes(t);
  }
  DataFileResult file;
  std::string name;
  if (empty >= 3) {
    source = Source::File;
    name = controls.text({"Text3"});
  }
  if (readFrom != nullptr) *readFrom = PuzzleSource{source, name, source != Source::Grid};
  if (source == Source::File) {
    const FileBytes bytes = files.read(name);
    if (bytes.failure == FileBytes::Failure::CannotOpen) {
      return captionOf({"Label1"}) + "のファイル「" + shownFileName(name) + "」を開けません。";
    }
    if (bytes.failure == FileBytes::Failure::CannotRead) {
      return captionOf({"Label1"}) + "の「" + shownFileName(name) +
             "」を読めません（フォルダーか、読めないファイルです）。";
    }
    file = parseDataFile(bytes.content, name);
    if (file.error) return file.error;
    for (int k = 1; k <= 9; ++k) {
      t.RowCodes[k] = textToNumber(file.records[static_cast<std::size_t>(k)].fields[0]) + 1'000'000'000;
    }
  }
  // The board takes only whole digits: a fraction or a number beyond exact
  // arithmetic would put something other than a digit into a cell.
  for (int r = 1; r <= 9; ++r) {
    if (!wrongNumber(t.RowCodes[r])) continue;
    switch (source) {
      case Source::Grid:
        // The cell that makes the row's number unusable, else the row.
        for (int c = 1; c <= 9; ++c) {
          if (const auto why = wrongNumber(cellValue(controls, r, c) * std::pow(10.0, 9 - c))) {
            return captionOf({"Label4"}) + "の" + std::to_string(r) + "行" + std::to_string(c) + "列の" +
                   quoted(controls.text({"Text15", cellIndex(r, c)})) + *why + "マスには数字を1つだけ入れてください。";
          }
        }
        return captionOf({"Label4"}) + "の" + std::to_string(r) +
               "行目の数が大きすぎます。マスには数字を1つだけ入れてください。";
      case Source::Rows:
        return captionOf({"Label3"}) + "の" + std::to_string(r) + "行目の" + quoted(controls.text({"Text5", r})) +
               *wrongNumber(t.RowCodes[r]) + "行の9つの数字を入れてください。";
      case Source::File: {
        const DataFileRecord &record = file.records[static_cast<std::size_t>(r)];
        return dataFileNamed(name) + "の" + placeOf(record.places[0]) + quoted(record.fields[0]) +
               *wrongNumber(t.RowCodes[r]) + "1項目めには行の9つの数字を書きます。";
      }
    }
  }
  return std::nullopt;
}

std::optional<std::string> checkExtraGivens(const Controls &controls) {
  for (const ControlRef box : {ControlRef{"Text1"}, ControlRef{"Text2"}}) {
    const std::string text = controls.text(box);
    const double v = textToNumber(text);
    if (!std::isfinite(v) || v < 0 || v >= 1000) {
      return captionOf(box) + "の" + quoted(text) +
             "は使えません。行・列・数字の3桁（100～999）か 0 を入れてください。";
    }
  }
  return std::nullopt;
}

void layExtraGivens(const Controls &controls, Tables &t) {
  layTrialCode(t, textToNumber(controls.text({"Text1"})));
  layTrialCode(t, textToNumber(controls.text({"Text2"})));
}

}  // namespace numplace
