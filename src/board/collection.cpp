#include "board/collection.h"

#include <algorithm>

#include "board/files.h"
#include "board/messages.h"
#include "board/sources.h"

namespace numplace {
namespace {

constexpr std::size_t kCells = 81;
constexpr std::size_t kRowCells = 9;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isSeparator(char ch) { return ch == ' ' || ch == '\t' || ch == '|' || ch == '-' || ch == '+'; }

// The length of the white space character (as Unicode counts it: blanks,
// line and paragraph separators, the ideographic space) at the start of
// `text`, 0 if there is none there. Only well-formed UTF-8 counts.
std::size_t whiteSpaceAt(std::string_view text) {
  if (text.empty()) return 0;
  const auto byte = [&text](std::size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
  const unsigned lead = byte(0);
  if (lead == ' ' || (lead >= '\t' && lead <= '\r')) return 1;
  if (lead == 0xC2) return byte(1) == 0x85 || byte(1) == 0xA0 ? 2 : 0;  // U+0085, U+00A0
  if (lead == 0xE1) return byte(1) == 0x9A && byte(2) == 0x80 ? 3 : 0;  // U+1680
  if (lead == 0xE3) return byte(1) == 0x80 && byte(2) == 0x80 ? 3 : 0;  // U+3000
  if (lead != 0xE2) return 0;
  const unsigned second = byte(1);
  const unsigned third = byte(2);
  if (second == 0x80) {
    // U+2000..U+200A, U+2028, U+2029, U+202F
    return (third >= 0x80 && third <= 0x8A) || third == 0xA8 || third == 0xA9 || third == 0xAF ? 3 : 0;
  }
  return second == 0x81 && third == 0x9F ? 3 : 0;  // U+205F
}

// The text after its leading white space.
std::string_view afterWhiteSpace(std::string_view text) {
  for (std::size_t n; (n = whiteSpaceAt(text)) > 0;) text.remove_prefix(n);
  return text;
}

// The cells at the start of a line: digits, 0 and . with separators between
// them, up to the first other character, or the first blank after 81 cells.
std::string leadingCells(std::string_view line) {
  std::string cells;
  for (const char ch : line) {
    if ((ch == ' ' || ch == '\t') && cells.size() == kCells) break;
    if (isSeparator(ch)) continue;
    if (ch >= '1' && ch <= '9') {
      cells += ch;
    } else if (ch == '0' || ch == '.') {
      cells += '.';
    } else {
      break;
    }
    if (cells.size() > kCells) return {};
  }
  return cells;
}

// The name in a message: without its folders, fit to show.
std::string shownName(const std::string &name) { return shownText(name, name.size()); }

}  // namespace

std::vector<std::string> puzzlesInText(std::string_view text) {
  std::vector<std::string> puzzles;
  std::string rows;  // the nine-cell rows of a laid-out puzzle read so far
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::string_view visible = afterWhiteSpace(line);
    if (visible.starts_with('#')) continue;
    const std::string cells = leadingCells(line);
    if (cells.size() == kCells) {
      puzzles.push_back(cells);
      rows.clear();
    } else if (cells.size() == kRowCells) {
      rows += cells;
      if (rows.size() == kCells) {
        puzzles.push_back(rows);
        rows.clear();
      }
    } else if (!cells.empty() || !visible.empty()) {
      // A line between the rows of a laid-out puzzle may hold only separators.
      if (!std::all_of(line.begin(), line.end(), isSeparator)) rows.clear();
    }
  }
  return puzzles;
}

std::string progressText(std::string_view givens, std::string_view entries) {
  return std::string(kProgressHeader) + "\ngivens " + std::string(givens) + "\nentries " + std::string(entries) + "\n";
}

namespace {

// The givens and the entries of a progress file, each as puzzlesInText
// gives a puzzle; nothing when either line is missing or not 81 cells.
std::optional<std::vector<std::string>> progressOf(std::string_view content) {
  std::vector<std::string> grids(2);
  const std::string_view keys[] = {"givens ", "entries "};
  while (!content.empty()) {
    const auto end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    for (std::size_t k = 0; k < 2; ++k) {
      if (!line.starts_with(keys[k])) continue;
      const std::vector<std::string> cells = puzzlesInText(line.substr(keys[k].size()));
      if (cells.size() != 1) return std::nullopt;
      grids[k] = cells.front();
    }
  }
  if (grids[0].empty() || grids[1].empty()) return std::nullopt;
  return grids;
}

}  // namespace

OpenedFile openedFileOf(std::string_view content, std::string_view name) {
  OpenedFile out;
  out.name = std::string(name);
  if (content.starts_with(kProgressHeader)) {
    if (auto grids = progressOf(content)) {
      out.kind = OpenedFile::Kind::Progress;
      out.puzzles = std::move(*grids);
    } else {
      out.fault = OpenedFile::Fault::BadProgress;
    }
    return out;
  }
  const bool commas = content.find(',') != std::string_view::npos;
  DataFileResult data;
  if (commas) {
    data = parseDataFile(content, name);
    if (!data.error) {
      out.kind = OpenedFile::Kind::DataFile;
      out.content = std::string(content);
      return out;
    }
  }
  if (content.starts_with(kByteOrderMark)) content.remove_prefix(kByteOrderMark.size());
  out.puzzles = puzzlesInText(content);
  if (!out.puzzles.empty()) {
    out.kind = OpenedFile::Kind::Collection;
  } else if (commas) {
    // Meant as a data file: the reader's own message says what is wrong.
    out.fault = OpenedFile::Fault::BadDataFile;
    out.dataFileError = std::move(data.error);
  } else {
    out.fault = OpenedFile::Fault::NoPuzzles;
  }
  return out;
}

OpenedFile readOpenedFile(const std::string &path) {
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const FileBytes bytes = readRegularFile(path);
  if (bytes.failure == FileBytes::Failure::None) return openedFileOf(bytes.content, name);
  OpenedFile out;
  out.name = name;
  switch (bytes.failure) {
    case FileBytes::Failure::NotRegular:
      out.fault = OpenedFile::Fault::NotRegular;
      break;
    case FileBytes::Failure::TooLarge:
      out.fault = OpenedFile::Fault::TooLarge;
      break;
    case FileBytes::Failure::CannotRead:
      out.fault = OpenedFile::Fault::CannotRead;
      break;
    default:  // missing, a folder, not allowed
      out.fault = OpenedFile::Fault::CannotOpen;
      break;
  }
  return out;
}

std::string openedFileText(const OpenedFile &opened) {
  const std::string name = "「" + shownName(opened.name) + "」";
  switch (opened.fault) {
    case OpenedFile::Fault::None:
      break;
    case OpenedFile::Fault::CannotOpen:
      return name + "を開けません。";
    case OpenedFile::Fault::NotRegular:
      return name + "は通常のファイルではありません（パイプや装置は開きません）。";
    case OpenedFile::Fault::TooLarge:
      return name + "は大きすぎます（64 MiB まで）。";
    case OpenedFile::Fault::CannotRead:
      return name + "を読めません。";
    case OpenedFile::Fault::BadDataFile:
      if (opened.dataFileError) return inputErrorText(*opened.dataFileError);
      break;
    case OpenedFile::Fault::BadProgress:
      return name + "は途中経過のファイルですが、givens と entries の行（81文字ずつ）がそろっていません。";
    case OpenedFile::Fault::NoPuzzles:
      return name +
             "には問題がありません。データファイル（9行、5項目ずつ）か、1行に81文字（1～9、空きマスは0か."
             "）の問題集を開い"
             "てください。";
  }
  return {};
}

}  // namespace numplace
