// Shared helpers of the tests: boards from 81-character strings, a headless
// window whose trace is captured, and a reader for the trace lines.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "board/layout.h"
#include "board/tables.h"
#include "cli/headless.h"
#include "runs/runs.h"
#include "techniques/techniques.h"

namespace numplace {
inline void PrintTo(const Placement &p, std::ostream *os) {
  *os << "(" << p.row << ", " << p.column << ") = " << p.digit;
}
}  // namespace numplace

namespace numplace_test {

using namespace numplace;

// A completed, valid grid.
inline constexpr std::string_view kCompleteGrid =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

// The sample puzzle of karune111.csv (singles finish it) and its solution.
inline constexpr std::string_view kEasyPuzzle =
    "050703060007000800000816000000030000005000100730040086906000204840572093000409000";
inline constexpr std::string_view kEasySolution =
    "158723469367954821294816375619238547485697132732145986976381254841572693523469718";

// A puzzle the step run finishes in 56 steps, one of them a column digit-list single.
inline constexpr std::string_view kStepPuzzle =
    "000000000003702800060354090089000160070645030000000000040000070200506004000010000";
inline constexpr std::string_view kStepSolution =
    "924168753513792846867354291489237165172645938356981427641823579298576314735419682";

// The puzzle of examples/trial.csv and its solution.
inline constexpr std::string_view kTrialPuzzle =
    "600050007030000000080409200015300000008000300000007590009501030000000080200070004";
inline constexpr std::string_view kTrialSolution =
    "692853147134726859587419263915382476478695321326147598849561732761234985253978614";

// A puzzle on which reference 2 halts again and again (block pairs shown at each pause).
inline constexpr std::string_view kPausePuzzle =
    "200040003600239008000000000029000530850000016006102900070805060900703001000010000";

// Row 1 holds 1..8 and column 9 holds 9: cell (1, 9) has no candidate, yet no
// digit stands twice.
inline constexpr std::string_view kNoCompletionPuzzle =
    "123456780400000000700000000200000000000000009300000000500000000600000000800000000";

// A 17-given puzzle whose cell (1, 1) has all nine digits as candidates at the start.
inline constexpr std::string_view kNineCandidatePuzzle =
    "000000000000000001000002030001004000005000006006007820040000070080050000090010000";

// Cells with a number each: (row, column, code or digit).
using Cells = std::vector<std::array<int, 3>>;

inline int digitAt(std::string_view grid, int r, int c) {
  const char ch = grid[static_cast<std::size_t>((r - 1) * 9 + (c - 1))];
  return ch >= '1' && ch <= '9' ? ch - '0' : 0;
}

// Board digits from 81 characters ('0' or '.' empty); least codes primed.
inline void loadBoard(Tables &t, std::string_view grid) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) t.Board[r][c] = digitAt(grid, r, c);
  }
  primeLeastCodes(t);
}

// Candidate bits of a candidate code: 37 -> bits 3 and 7.
inline std::uint16_t bitsOf(int code) {
  std::uint16_t bits = 0;
  for (; code > 0; code /= 10) bits = static_cast<std::uint16_t>(bits | (1u << (code % 10)));
  return static_cast<std::uint16_t>(bits & 0x3FE);
}

// The candidate code of a set of digit bits, written out by hand.
inline int codeOfBits(std::uint16_t bits) {
  int code = 0;
  for (int d = 1; d <= 9; ++d) {
    if (bits & (1u << d)) code = 10 * code + d;
  }
  return code;
}

// Digits that neither the row, the column nor the block of (r, c) holds.
inline std::uint16_t freeDigits(std::string_view grid, int r, int c) {
  std::uint16_t used = 0;
  for (int k = 1; k <= 9; ++k) {
    used = static_cast<std::uint16_t>(used | (1u << digitAt(grid, r, k)) | (1u << digitAt(grid, k, c)));
  }
  const int v = 3 * ((r - 1) / 3);
  const int w = 3 * ((c - 1) / 3);
  for (int i = 1; i <= 3; ++i) {
    for (int j = 1; j <= 3; ++j) used = static_cast<std::uint16_t>(used | (1u << digitAt(grid, v + i, w + j)));
  }
  return static_cast<std::uint16_t>(0x3FE & ~used);
}

// Whether `board` is a complete valid grid that keeps every given of `puzzle`.
inline bool isCompletionOf(std::string_view board, std::string_view puzzle) {
  if (board.size() != 81) return false;
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int d = digitAt(board, r, c);
      if (d == 0 || (digitAt(puzzle, r, c) != 0 && digitAt(puzzle, r, c) != d)) return false;
    }
  }
  for (int u = 1; u <= 9; ++u) {
    std::uint16_t row = 0, column = 0, block = 0;
    for (int k = 1; k <= 9; ++k) {
      row = static_cast<std::uint16_t>(row | (1u << digitAt(board, u, k)));
      column = static_cast<std::uint16_t>(column | (1u << digitAt(board, k, u)));
      block = static_cast<std::uint16_t>(
          block | (1u << digitAt(board, 3 * ((u - 1) / 3) + (k - 1) / 3 + 1, 3 * ((u - 1) % 3) + (k - 1) % 3 + 1)));
    }
    if (row != 0x3FE || column != 0x3FE || block != 0x3FE) return false;
  }
  return true;
}

// Number of characters (code points) of a UTF-8 text.
inline std::size_t codePoints(std::string_view text) {
  std::size_t n = 0;
  for (const char ch : text) n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

inline std::vector<std::string> readLines(const std::string &path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// ---------------------------------------------------------------------------
// The trace.

// One trace line split into its fields.
struct TraceLine {
  std::string raw;
  std::string kind;                  // the first word: print, move, text, prompt, ...
  std::vector<std::string> strings;  // the string fields, unescaped
  std::vector<double> numbers;       // the numeric fields
  std::string word;                  // newline / continue, or the control of a text line
};

// A print with the drawing state in force when it was made.
struct Printed {
  std::string text;
  bool newline = false;
  double x = 0, y = 0;  // the last position set by moveTo (or clear)
  bool moved = false;   // a moveTo came after the previous print
  double font = 0;
  std::uint32_t colour = 0;
  int clears = 0;        // clears made before this print
  std::size_t line = 0;  // index of the trace line
};

struct Trace {
  std::vector<TraceLine> lines;
  std::vector<Printed> prints;

  std::size_t count(std::string_view kind) const {
    std::size_t n = 0;
    for (const auto &l : lines) {
      if (l.kind == kind) ++n;
    }
    return n;
  }
  std::vector<const TraceLine *> of(std::string_view kind) const {
    std::vector<const TraceLine *> out;
    for (const auto &l : lines) {
      if (l.kind == kind) out.push_back(&l);
    }
    return out;
  }
  // The texts a handler set on a control, in order.
  std::vector<std::string> texts(std::string_view control) const {
    std::vector<std::string> out;
    for (const auto &l : lines) {
      if (l.kind == "text" && l.word == control) out.push_back(l.strings.at(0));
    }
    return out;
  }
  // The raw trace lines from index `from` on.
  std::vector<std::string> rawFrom(std::size_t from) const {
    std::vector<std::string> out;
    for (std::size_t i = from; i < lines.size(); ++i) out.push_back(lines[i].raw);
    return out;
  }
  // Index of the first line of a kind at or after `from`, or lines.size().
  std::size_t find(std::string_view kind, std::size_t from = 0) const {
    while (from < lines.size() && lines[from].kind != kind) ++from;
    return from;
  }
  std::vector<std::string> lastRaw(std::size_t n) const { return rawFrom(lines.size() < n ? 0 : lines.size() - n); }
};

inline std::string readQuoted(std::string_view s, std::size_t &i) {
  std::string out;
  ++i;  // opening quote
  while (i < s.size() && s[i] != '"') {
    if (s[i] == '\\' && i + 1 < s.size()) {
      const char e = s[++i];
      if (e == 'n') {
        out += '\n';
      } else if (e == 'r') {
        out += '\r';
      } else if (e == 't') {
        out += '\t';
      } else if (e == 'u' && i + 4 < s.size()) {
        out += static_cast<char>(std::stoi(std::string(s.substr(i + 1, 4)), nullptr, 16));
        i += 4;
      } else {
        out += e;
      }
    } else {
      out += s[i];
    }
    ++i;
  }
  ++i;  // closing quote
  return out;
}

inline TraceLine parseTraceLine(std::string_view s) {
  TraceLine t;
  t.raw = std::string(s);
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] == ' ') {
      ++i;
      continue;
    }
    if (s[i] == '"') {
      t.strings.push_back(readQuoted(s, i));
      continue;
    }
    const std::size_t end = std::min(s.find(' ', i), s.size());
    const std::string token(s.substr(i, end - i));
    i = end;
    if (t.kind.empty()) {
      t.kind = token;
      continue;
    }
    char *stop = nullptr;
    const double value = std::strtod(token.c_str(), &stop);
    if (!token.empty() && *stop == '\0') {
      t.numbers.push_back(value);
    } else {
      t.word = token;
    }
  }
  return t;
}

inline Trace parseTrace(const std::string &text) {
  Trace trace;
  std::istringstream in(text);
  double x = 0, y = 0, font = 0;
  std::uint32_t colour = 0;
  bool moved = false;
  int clears = 0;
  for (std::string line; std::getline(in, line);) {
    TraceLine t = parseTraceLine(line);
    if (t.kind == "clear") {
      x = y = 0;
      ++clears;
    } else if (t.kind == "move") {
      x = t.numbers.at(0);
      y = t.numbers.at(1);
      moved = true;
    } else if (t.kind == "font") {
      font = t.numbers.at(0);
    } else if (t.kind == "colour") {
      colour = static_cast<std::uint32_t>(t.numbers.at(0));
    } else if (t.kind == "print") {
      trace.prints.push_back(
          {t.strings.at(0), t.word == "newline", x, y, moved, font, colour, clears, trace.lines.size()});
      moved = false;
    }
    trace.lines.push_back(std::move(t));
  }
  return trace;
}

// ---------------------------------------------------------------------------
// A headless window with its trace captured.

class TracedWindow {
 public:
  TracedWindow() { window_.traceTo(&out_); }
  TracedWindow(const TracedWindow &) = delete;
  TracedWindow &operator=(const TracedWindow &) = delete;

  // Types an 81-character puzzle into the grid (1-9 typed, others left as they are).
  void typeGrid(std::string_view puzzle) {
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        const int d = digitAt(puzzle, r, c);
        if (d != 0) type({"Text15", cellIndex(r, c)}, std::string(1, static_cast<char>('0' + d)));
      }
    }
  }
  void type(ControlRef ref, std::string_view text) { window_.controls.type(ref, text); }
  void answer(std::optional<std::string> text) { window_.answers.push(std::move(text)); }
  std::string text(ControlRef ref) const { return window_.controls.text(ref); }
  HeadlessWindow &window() { return window_; }

  // Clicks a button and returns the trace of that click alone.
  Trace click(std::string_view button) {
    out_.str("");
    clickButton(window_.ports, button);
    return parseTrace(out_.str());
  }

 private:
  HeadlessWindow window_;
  std::ostringstream out_;
};

// The step-report words and the placement-report words.
inline bool isStepWord(std::string_view w) {
  return w == "基本" || w == "ブロ" || w == "よこ" || w == "たて" || w == "縦　" || w == "横　";
}
inline bool isReference2Word(std::string_view w) {
  return w == "基本" || w == "ブロ" || w == "よこ" || w == "たて" || w == "縦１" || w == "横１";
}

// A report text " 12 基本 3- 5  7" taken apart.
struct ReportText {
  int step = 0, row = 0, column = 0, digit = 0;
  std::string word;
};
inline std::optional<ReportText> parseReportText(std::string_view s) {
  // " N WORD R- C  D" with single-digit R, C, D.
  if (s.size() < 12 || s[0] != ' ') return std::nullopt;
  const std::size_t space = s.find(' ', 1);
  if (space == std::string_view::npos) return std::nullopt;
  ReportText out;
  const std::string number(s.substr(1, space - 1));
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  out.step = std::stoi(number);
  const std::string_view tail = s.substr(s.size() - 8);  // " R- C  D"
  if (tail[0] != ' ' || tail[2] != '-' || tail[3] != ' ' || tail[5] != ' ' || tail[6] != ' ') return std::nullopt;
  out.row = tail[1] - '0';
  out.column = tail[4] - '0';
  out.digit = tail[7] - '0';
  out.word = std::string(s.substr(space + 1, s.size() - 8 - space - 1));
  if (out.row < 1 || out.row > 9 || out.column < 1 || out.column > 9 || out.digit < 1 || out.digit > 9) {
    return std::nullopt;
  }
  return out;
}

// ---------------------------------------------------------------------------
// The step family's surface: step log, step board and candidate-code table.

inline constexpr std::uint32_t kWhiteColour = 16777215;
inline constexpr std::uint32_t kBlueColour = 16711680;
inline constexpr std::uint32_t kRedColour = 255;

inline double stepBoardX(int c) { return 9064.85 + 507 * (c - 1); }
inline double stepBoardY(int r) { return 135.2 + 507 * (r - 1); }

inline bool near(double a, double b) { return std::abs(a - b) < 0.002; }

// The cell of the candidate-code table whose entry starts at (x, y).
inline bool tableCell(const Printed &p, int &r, int &c) {
  for (r = 1; r <= 9; ++r) {
    for (c = 1; c <= 9; ++c) {
      if (p.font == 14 && near(p.x, 4900 + 1000 * c) && near(p.y, 4400 + 600 * r)) return true;
    }
  }
  return false;
}

// One drawing of the candidate-code table: the white overprints of the old
// texts, then the entries drawn.
struct TableDrawing {
  std::vector<Printed> erase;
  std::vector<Printed> entries;
};

inline std::vector<TableDrawing> tableDrawings(const Trace &trace) {
  std::vector<TableDrawing> out;
  for (const Printed &p : trace.prints) {
    int r = 0, c = 0;
    if (!tableCell(p, r, c)) continue;
    if (p.colour == kWhiteColour) {
      if (r == 1 && c == 1) out.emplace_back();
      out.back().erase.push_back(p);
    } else if (!out.empty()) {
      out.back().entries.push_back(p);
    }
  }
  return out;
}

// A placement reported by a step line: the Text14 text, the printed line and
// the trace lines around it.
struct StepLine {
  ReportText report;
  std::string text14;
  Printed printed;           // the step line on the surface
  std::size_t textLine = 0;  // the trace line that set Text14
};

inline std::vector<StepLine> stepLines(const Trace &trace) {
  std::vector<StepLine> out;
  for (std::size_t i = 0; i < trace.lines.size(); ++i) {
    const TraceLine &l = trace.lines[i];
    if (l.kind != "text" || l.word != "Text14") continue;
    StepLine s;
    s.text14 = l.strings.at(0);
    if (auto parsed = parseReportText(s.text14)) s.report = *parsed;
    s.textLine = i;
    for (const Printed &p : trace.prints) {
      if (p.line + 1 == i) s.printed = p;
    }
    out.push_back(s);
  }
  return out;
}

// The report text written by hand: " 12 基本 3- 5  7".
inline std::string reportText(int step, std::string_view word, int r, int c, int d) {
  return " " + std::to_string(step) + " " + std::string(word) + " " + std::to_string(r) + "- " + std::to_string(c) +
         "  " + std::to_string(d);
}

}  // namespace numplace_test
