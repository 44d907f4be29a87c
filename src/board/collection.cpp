#include "board/collection.h"

#include <algorithm>
#include <fstream>

#include "board/input_error.h"
#include "board/sources.h"

namespace numplace {
namespace {

constexpr std::size_t kCells = 81;
constexpr std::size_t kRowCells = 9;
constexpr std::size_t kLargestFile = std::size_t{64} * 1024 * 1024;

bool isSeparator(char ch) { return ch == ' ' || ch == '\t' || ch == '|' || ch == '-' || ch == '+'; }
bool isSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f'; }

// The cells at the start of a line: digits, 0 and . with separators between
// them, up to the first other character, or the first blank after 81 cells.
std::string leadingCells(std::string_view line) {
  std::string cells;
  for (const char ch : line) {
    if (isSpace(ch) && cells.size() == kCells) break;
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

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

std::string fileNameOf(const std::string &path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<std::string> puzzlesInText(std::string_view text) {
  std::vector<std::string> puzzles;
  std::string rows;  // the nine-cell rows of a laid-out puzzle read so far
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (trimmed(line).starts_with('#')) continue;
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
    } else if (!cells.empty() || !trimmed(line).empty()) {
      // A line between the rows of a laid-out puzzle may hold only separators.
      if (!std::all_of(line.begin(), line.end(), isSeparator)) rows.clear();
    }
  }
  return puzzles;
}

OpenedFile readOpenedFile(const std::string &path) {
  OpenedFile out;
  const std::string name = fileNameOf(path);
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    out.error = "「" + name + "」を開けません。";
    return out;
  }
  std::string content;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer).gcount() > 0) {
    content.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (content.size() > kLargestFile) {
      out.error = "「" + name + "」は大きすぎます（64 MiB まで）。";
      return out;
    }
  }
  if (in.bad()) {
    out.error = "「" + name + "」を開けません。";
    return out;
  }
  const bool commas = content.find(',') != std::string::npos;
  const DataFileResult data = commas ? parseDataFile(content, name) : DataFileResult{};
  if (commas && !data.error) {
    out.kind = OpenedFile::Kind::DataFile;
    out.content = std::move(content);
    return out;
  }
  out.puzzles = puzzlesInText(content);
  if (out.puzzles.empty() && commas) {
    // Meant as a data file: the reader's own message says what is wrong.
    out.error = inputErrorText(*data.error);
    return out;
  }
  if (out.puzzles.empty()) {
    out.error = "「" + name +
                "」には問題がありません。データファイル（9行、5項目ずつ）か、1行に81文字（1～9、空きマスは0か."
                "）の問題集を開いてください。";
    return out;
  }
  out.kind = OpenedFile::Kind::Collection;
  return out;
}

}  // namespace numplace
