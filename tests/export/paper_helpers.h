// What the export tests read back from what was written: poppler's page
// count, text and rendering of a PDF, and the boards found on a picture by
// their lines.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "runs/result.h"

namespace paper_test {

// Standard output of a shell command, or nothing when it failed.
inline std::optional<std::string> commandOutput(const std::string &command) {
  FILE *pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  if (::pclose(pipe) != 0) return std::nullopt;
  return out;
}

inline bool hasTool(const std::string &name) {
  return std::system(("command -v " + name + " >/dev/null").c_str()) == 0;
}

#define SKIP_WITHOUT_POPPLER()                                                                                    \
  do {                                                                                                            \
    if (!paper_test::hasTool("pdfinfo") || !paper_test::hasTool("pdftotext") || !paper_test::hasTool("pdftoppm")) \
      GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext, pdftoppm) is not installed";                            \
  } while (false)

inline std::string fileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string quoted(const std::string &path) { return "'" + path + "'"; }

// A field of pdfinfo ("Pages", "Title", "Creator"), trimmed.
inline std::string pdfInfo(const std::string &path, const std::string &field) {
  const std::string info = commandOutput("pdfinfo " + quoted(path)).value_or("");
  const std::size_t at = info.find(field + ":");
  if (at == std::string::npos) return "";
  const std::size_t begin = info.find_first_not_of(' ', at + field.size() + 1);
  return info.substr(begin, info.find('\n', begin) - begin);
}

inline int pdfPages(const std::string &path) {
  const std::string pages = pdfInfo(path, "Pages");
  return pages.empty() ? -1 : std::stoi(pages);
}

// The text of one page in the order it was drawn, one text line a line.
inline std::vector<std::string> pageLines(const std::string &path, int page) {
  const std::string p = std::to_string(page);
  const std::string text =
      commandOutput("pdftotext -raw -f " + p + " -l " + p + " " + quoted(path) + " -").value_or("");
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line != "\f") lines.push_back(line);
  }
  return lines;
}

// A page as poppler renders it.
inline QImage renderPage(const std::string &path, int page, int dpi, const std::string &scratch) {
  const std::string p = std::to_string(page);
  const std::string out = scratch + "_page";
  commandOutput("pdftoppm -png -singlefile -r " + std::to_string(dpi) + " -f " + p + " -l " + p + " " + quoted(path) +
                " " + quoted(out));
  QImage image(QString::fromStdString(out + ".png"));
  std::filesystem::remove(out + ".png");
  return image.convertToFormat(QImage::Format_Grayscale8);
}

// The digits of a text, in order.
inline std::string digitsOf(const std::string &text) {
  std::string digits;
  for (const char ch : text) {
    if (ch >= '1' && ch <= '9') digits += ch;
  }
  return digits;
}

// The digits of a grid in reading order, its empty cells left out.
inline std::string digitsOf(const numplace::Grid &grid) {
  std::string digits;
  for (const std::uint8_t d : grid) {
    if (d != 0) digits += static_cast<char>('0' + d);
  }
  return digits;
}

inline numplace::Grid gridOf(const std::string &line) {
  numplace::Grid grid{};
  for (std::size_t i = 0; i < grid.size(); ++i) {
    grid[i] = line[i] >= '1' && line[i] <= '9' ? static_cast<std::uint8_t>(line[i] - '0') : 0;
  }
  return grid;
}

// A page's text cut at its "No.N" lines: the number and the digits drawn
// after it up to the next, lines holding `skip` (captions) left out.
struct NumberedText {
  int number = 0;
  std::string digits;
};
inline std::vector<NumberedText> numberedTexts(const std::vector<std::string> &lines, const std::string &skip) {
  std::vector<NumberedText> out;
  for (const std::string &line : lines) {
    if (line.starts_with("No.")) {
      out.push_back({std::stoi(line.substr(3)), ""});
    } else if (!out.empty() && line.find(skip) == std::string::npos) {
      out.back().digits += digitsOf(line);
    }
  }
  return out;
}

// A board found on a picture: its ten lines across and down, each from its
// first to its last inked pixel.
struct FoundLine {
  int from = 0;
  int to = 0;
};
struct FoundBoard {
  std::array<FoundLine, 10> columns;  // the vertical lines, left to right
  std::array<FoundLine, 10> rows;     // the horizontal lines, top to bottom
};

// A run of ink along one pixel line, as long as a board's side at least.
struct Run {
  int across = 0;  // x of a vertical run, y of a horizontal one
  int from = 0;
  int to = 0;
};

inline bool inked(const QImage &image, int x, int y) { return qGray(image.pixel(x, y)) < 200; }

inline std::vector<Run> longRuns(const QImage &image, bool vertical, int minLength) {
  const int lines = vertical ? image.width() : image.height();
  const int length = vertical ? image.height() : image.width();
  std::vector<Run> runs;
  for (int a = 0; a < lines; ++a) {
    int start = -1;
    for (int b = 0; b <= length; ++b) {
      const bool ink = b < length && (vertical ? inked(image, a, b) : inked(image, b, a));
      if (ink && start < 0) start = b;
      if (!ink && start >= 0) {
        if (b - start >= minLength) runs.push_back({a, start, b - 1});
        start = -1;
      }
    }
  }
  return runs;
}

// Neighbouring runs with the same ends make one line: its extent across and
// its ends along.
struct Stroke {
  FoundLine across;
  int from = 0;
  int to = 0;
};
inline std::vector<Stroke> strokesOf(const std::vector<Run> &runs) {
  std::vector<Stroke> strokes;
  for (const Run &run : runs) {
    bool joined = false;
    for (Stroke &s : strokes) {
      if (s.across.to + 1 == run.across && std::abs(s.from - run.from) <= 2 && std::abs(s.to - run.to) <= 2) {
        s.across.to = run.across;
        joined = true;
        break;
      }
    }
    if (!joined) strokes.push_back({{run.across, run.across}, run.from, run.to});
  }
  return strokes;
}

// The boards of a picture, found by their lines alone: ten vertical lines
// of one height spanning a square, crossed by ten horizontal lines. Top to
// bottom, left to right.
inline std::vector<FoundBoard> findBoards(const QImage &image, int minSide) {
  const std::vector<Stroke> down = strokesOf(longRuns(image, true, minSide));
  const std::vector<Stroke> across = strokesOf(longRuns(image, false, minSide));
  std::vector<FoundBoard> boards;
  std::vector<bool> used(down.size(), false);
  for (std::size_t i = 0; i < down.size(); ++i) {
    if (used[i]) continue;
    // The next nine strokes of the same height to the right of this one.
    std::vector<std::size_t> same{i};
    for (std::size_t j = i + 1; j < down.size() && same.size() < 10; ++j) {
      if (!used[j] && std::abs(down[j].from - down[i].from) <= 3 && std::abs(down[j].to - down[i].to) <= 3) {
        same.push_back(j);
      }
    }
    if (same.size() < 10) continue;
    const int left = down[same.front()].across.from;
    const int right = down[same.back()].across.to;
    const int top = down[i].from;
    const int bottom = down[i].to;
    if (std::abs((right - left) - (bottom - top)) > 4) continue;
    FoundBoard board;
    for (std::size_t k = 0; k < 10; ++k) {
      board.columns[k] = down[same[k]].across;
      used[same[k]] = true;
    }
    std::size_t rows = 0;
    for (const Stroke &s : across) {
      if (std::abs(s.from - left) <= 3 && std::abs(s.to - right) <= 3 && s.across.from >= top - 1 &&
          s.across.to <= bottom + 1 && rows < 10) {
        board.rows[rows++] = s.across;
      }
    }
    if (rows == 10) boards.push_back(board);
  }
  std::sort(boards.begin(), boards.end(), [](const FoundBoard &a, const FoundBoard &b) {
    return a.rows[0].from != b.rows[0].from ? a.rows[0].from < b.rows[0].from : a.columns[0].from < b.columns[0].from;
  });
  return boards;
}

// The inked pixels inside a cell (0-based), `margin` pixels clear of its lines.
inline int cellInk(const QImage &image, const FoundBoard &board, int row, int column, int margin) {
  const auto r = static_cast<std::size_t>(row);
  const auto c = static_cast<std::size_t>(column);
  int count = 0;
  for (int y = board.rows[r].to + 1 + margin; y < board.rows[r + 1].from - margin; ++y) {
    for (int x = board.columns[c].to + 1 + margin; x < board.columns[c + 1].from - margin; ++x) {
      if (inked(image, x, y)) ++count;
    }
  }
  return count;
}

// Checks that ink stands in exactly the cells `grid` fills.
inline void expectInkInFilledCells(const QImage &image, const FoundBoard &board, const numplace::Grid &grid,
                                   int margin) {
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) {
      const int ink = cellInk(image, board, r, c, margin);
      if (grid[static_cast<std::size_t>(r * 9 + c)] != 0) {
        EXPECT_GT(ink, 2) << "no digit in the cell at row " << r + 1 << ", column " << c + 1;
      } else {
        EXPECT_EQ(ink, 0) << "ink in the empty cell at row " << r + 1 << ", column " << c + 1;
      }
    }
  }
}

}  // namespace paper_test
