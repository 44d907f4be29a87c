// Shared helpers of the tests: boards from 81-character strings, and a
// headless window whose clicks give back the run's result together with the
// drawing operations, control changes and prompts of the click.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "board/files.h"
#include "board/layout.h"
#include "board/tables.h"
#include "cli/trace.h"
#include "runs/runs.h"
#include "script/answers.h"
#include "script/headless.h"
#include "techniques/techniques.h"

namespace numplace {
inline void PrintTo(const Placement &p, std::ostream *os) {
  *os << "(" << p.row << ", " << p.column << ") = " << p.digit;
}
inline void PrintTo(const PlacementRecord &p, std::ostream *os) {
  *os << "step " << p.step << " pass " << p.pass << " " << p.word << " (" << p.row << ", " << p.column
      << ") = " << p.digit;
}
// An operation as one line of the text trace, for readable failures.
inline void PrintTo(const DrawOp &op, std::ostream *os) {
  static constexpr const char *kNames[] = {"clear", "font", "colour", "width", "move", "line", "print"};
  static constexpr int kNumbers[] = {0, 1, 1, 1, 2, 4, 0};
  const auto kind = static_cast<std::size_t>(op.kind);
  const double numbers[] = {op.a, op.b, op.c, op.d};
  *os << kNames[kind];
  for (int i = 0; i < kNumbers[kind]; ++i) *os << ' ' << traceNumber(numbers[i]);
  if (op.kind == DrawOp::Kind::Print) {
    *os << ' ' << traceString(op.text) << (op.ending == Ending::NewLine ? " newline" : " continue");
  }
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

// The puzzle of trial.csv and its solution.
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

// A puzzle that neither logic nor any of the answer run's trials finishes:
// the run ends at its pass limit.
inline constexpr std::string_view kPassLimitPuzzle =
    "480300000000000071020000000705000060000200800000000000001076000300000400000050000";

// A puzzle the step run cannot finish: its fourth end-of-run check stops it.
inline constexpr std::string_view kStepStopPuzzle =
    "004009300010030050800700009006800020005000700020007900200004007040050060001200500";

// Cells with a number each: (row, column, code or digit).
using Cells = std::vector<std::array<int, 3>>;

inline int digitAt(std::string_view grid, int r, int c) {
  const char ch = grid[static_cast<std::size_t>((r - 1) * 9 + (c - 1))];
  return ch >= '1' && ch <= '9' ? ch - '0' : 0;
}

// A grid of a run's result as 81 characters, '0' for an empty cell.
inline std::string gridString(const Grid &grid) {
  std::string out(81, '0');
  for (std::size_t i = 0; i < 81; ++i) out[i] = static_cast<char>('0' + grid[i]);
  return out;
}

// The puzzle with one digit changed.
inline std::string withDigit(std::string_view puzzle, int r, int c, int d) {
  std::string out(puzzle);
  out[static_cast<std::size_t>((r - 1) * 9 + c - 1)] = static_cast<char>('0' + d);
  return out;
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

// A puzzle as the nine records of a data file.
inline std::string dataFileOf(std::string_view puzzle) {
  std::string out;
  for (std::size_t r = 0; r < 9; ++r) out += std::string(puzzle.substr(9 * r, 9)) + ",0,0,0,0\n";
  return out;
}

// ---------------------------------------------------------------------------
// Drawing operations.

// The operations as a test writes them down.
struct Draw {
  static DrawOp clear() { return DrawOp::of(DrawOp::Kind::Clear); }
  static DrawOp font(double points) { return DrawOp::of(DrawOp::Kind::Font, points); }
  static DrawOp colour(std::uint32_t colour) { return DrawOp::of(DrawOp::Kind::Colour, colour); }
  static DrawOp width(int pixels) { return DrawOp::of(DrawOp::Kind::Width, pixels); }
  static DrawOp move(double x, double y) { return DrawOp::of(DrawOp::Kind::Move, x, y); }
  static DrawOp line(double x1, double y1, double x2, double y2) {
    return DrawOp::of(DrawOp::Kind::Line, x1, y1, x2, y2);
  }
  static DrawOp print(std::string_view text, Ending ending) {
    DrawOp op = DrawOp::of(DrawOp::Kind::Print);
    op.text = std::string(text);
    op.ending = ending;
    return op;
  }
};

// A print with the drawing state in force when it was made.
struct Printed {
  std::string text;
  bool newline = false;
  double x = 0, y = 0;  // the last position set by moveTo (or clear)
  bool moved = false;   // a moveTo came after the previous print
  double font = 0;
  std::uint32_t colour = 0;
  int clears = 0;      // clears made before this print
  std::size_t op = 0;  // index of the operation
};

inline std::vector<Printed> printsOf(const std::vector<DrawOp> &ops) {
  std::vector<Printed> out;
  Printed state;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    const DrawOp &op = ops[i];
    if (op.kind == DrawOp::Kind::Clear) {
      state.x = state.y = 0;
      ++state.clears;
    } else if (op.kind == DrawOp::Kind::Move) {
      state.x = op.a;
      state.y = op.b;
      state.moved = true;
    } else if (op.kind == DrawOp::Kind::Font) {
      state.font = op.a;
    } else if (op.kind == DrawOp::Kind::Colour) {
      state.colour = static_cast<std::uint32_t>(op.a);
    } else if (op.kind == DrawOp::Kind::Print) {
      out.push_back(state);
      out.back().text = op.text;
      out.back().newline = op.ending == Ending::NewLine;
      out.back().op = i;
      state.moved = false;
    }
  }
  return out;
}

// ---------------------------------------------------------------------------
// A headless window whose clicks are recorded.

// A control text set by a handler, and how many drawing operations came before it.
struct TextChange {
  std::string control;  // "Text14", "Text15(11)"
  std::string text;
  std::size_t at = 0;
};

struct PromptSeen {
  PromptRequest request;
  std::optional<std::string> answer;
  std::size_t at = 0;  // drawing operations before it
};

// What one click did.
struct Clicked {
  std::optional<RunResult> result;  // nothing for "消去"
  std::vector<DrawOp> ops;
  std::vector<Printed> prints;
  std::vector<TextChange> texts;
  std::vector<PromptSeen> prompts;

  const RunResult &run() const { return result.value(); }
  std::size_t count(DrawOp::Kind kind) const {
    std::size_t n = 0;
    for (const DrawOp &op : ops) n += op.kind == kind ? 1 : 0;
    return n;
  }
  // The texts a handler set on a control, in order.
  std::vector<std::string> textsOf(std::string_view control) const {
    std::vector<std::string> out;
    for (const TextChange &t : texts) {
      if (t.control == control) out.push_back(t.text);
    }
    return out;
  }
  std::vector<DrawOp> last(std::size_t n) const {
    return {ops.end() - static_cast<std::ptrdiff_t>(std::min(n, ops.size())), ops.end()};
  }
};

class TestWindow {
 public:
  TestWindow() {
    controls_.setListener([this](ControlRef ref, std::string_view text) {
      texts_.push_back({controlLabel(ref), std::string(text), surface_.ops().size()});
    });
    prompt_.setListener([this](const PromptRequest &request, const std::optional<std::string> &answer) {
      prompts_.push_back({request, answer, surface_.ops().size()});
    });
  }
  TestWindow(const TestWindow &) = delete;
  TestWindow &operator=(const TestWindow &) = delete;

  // Types an 81-character puzzle into the grid (1-9 typed, others left as they are).
  void typeGrid(std::string_view puzzle) {
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        const int d = digitAt(puzzle, r, c);
        if (d != 0) type({"Text15", cellIndex(r, c)}, std::string(1, static_cast<char>('0' + d)));
      }
    }
  }
  void type(ControlRef ref, std::string_view text) { controls_.type(ref, text); }
  // A data file the runs can read, and its name typed into Text3.
  void giveFile(const std::string &name, std::string content) {
    files_.put(name, std::move(content));
    type({"Text3"}, name);
  }
  void givePuzzleFile(std::string_view puzzle) { giveFile("puzzle.csv", dataFileOf(puzzle)); }
  void answer(std::optional<std::string> text) { answers_.push(std::move(text)); }
  std::string text(ControlRef ref) const { return controls_.text(ref); }
  HeadlessControls &controls() { return controls_; }

  Clicked click(Button button, const RunOptions &options = {}) {
    surface_.forget();
    texts_.clear();
    prompts_.clear();
    Clicked c;
    c.result = clickButton(ports_, button, options);
    c.ops = surface_.ops();
    c.prints = printsOf(c.ops);
    c.texts = std::move(texts_);
    c.prompts = std::move(prompts_);
    return c;
  }

 private:
  HeadlessControls controls_;
  RecordingSurface surface_;
  AnswerQueue answers_;
  QueuedPrompt prompt_{answers_};
  MemoryFiles files_;
  Ports ports_{controls_, surface_, prompt_, files_};
  std::vector<TextChange> texts_;
  std::vector<PromptSeen> prompts_;
};

inline constexpr std::array<Button, 4> kRunButtons{Button::Answer, Button::Step, Button::Reference1,
                                                   Button::Reference2};

// The report text written by hand: " 12 基本 3- 5  7".
inline std::string expectedReport(int step, std::string_view word, int r, int c, int d) {
  return " " + std::to_string(step) + " " + std::string(word) + " " + std::to_string(r) + "- " + std::to_string(c) +
         "  " + std::to_string(d);
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

inline std::vector<TableDrawing> tableDrawings(const Clicked &click) {
  std::vector<TableDrawing> out;
  for (const Printed &p : click.prints) {
    int r = 0, c = 0;
    if (!tableCell(p, r, c)) continue;
    if (p.colour == kWhiteColour) {
      if ((r == 1 && c == 1) || out.empty()) out.emplace_back();
      out.back().erase.push_back(p);
    } else if (!out.empty()) {
      out.back().entries.push_back(p);
    }
  }
  return out;
}

// A placement the step family showed: its Text14 change and the step line
// printed just before it.
struct ShownStep {
  std::string text14;
  std::size_t at = 0;  // operations before the Text14 change
  std::optional<Printed> line;
};

inline std::vector<ShownStep> shownSteps(const Clicked &click) {
  std::vector<ShownStep> out;
  for (const TextChange &t : click.texts) {
    if (t.control != "Text14") continue;
    ShownStep s{t.text, t.at, std::nullopt};
    for (const Printed &p : click.prints) {
      if (p.op + 1 == t.at) s.line = p;
    }
    out.push_back(s);
  }
  return out;
}

}  // namespace numplace_test
