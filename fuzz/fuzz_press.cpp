// Whole button presses through the headless ports: the fuzzer types a text
// into every entry control, gives the data files that Text3 may name,
// queues the prompt answers, and clicks one or two buttons. Besides not
// crashing, every press must end within a fixed amount of drawing, draw
// only what the surface can take, leave the controls it does not own as the
// user typed them, report placements that rebuild its final board, and call
// solved only a board that is a valid completion of the givens (a full board
// on clashing givens is inconsistent, whatever the run shows). The exact
// check of the same controls must read the same puzzle from the same source,
// name clashes exactly when a unit holds a digit twice, give solutions that
// complete the givens and differ where it says, and agree with every board
// a run calls solved.
//
// The input layout is described in press_input.h.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "board/files.h"
#include "board/input_error.h"
#include "board/layout.h"
#include "board/sources.h"
#include "board/tables.h"
#include "check/check.h"
#include "press_input.h"
#include "runs/runs.h"
#include "script/headless.h"
#include "techniques/consistency.h"

namespace {

using numplace::ControlRef;
using numplace::RunEnd;
using numplace::RunResult;

// The most drawing operations one press may make. The largest press measured
// drew 860,243 operations (an answer run through its trial passes; 806
// puzzles of the collections, each with three runs) and 853,852 in the
// campaign corpus; the bound leaves a sixfold margin and stops a run that
// loops long before libFuzzer's timeout would.
constexpr long kMaxOperations = 5'000'000;
// The most prompts one press may show: the step runs ask once per placement
// and per table change, reference 2 at most six times.
constexpr int kMaxPrompts = 1000;

[[noreturn]] void fail(const std::string &what) {
  std::fprintf(stderr, "fuzz_press: %s\n", what.c_str());
  std::abort();
}

bool isValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += n;
  }
  return true;
}

// Checks every operation as it is drawn: what the window's canvas is given
// must be something it can draw, and a press must end.
class CheckedSurface : public numplace::DrawingSurface {
 public:
  void startPress() { limit_ = operations_ + kMaxOperations; }
  long operations() const { return operations_; }

  void clear() override { count(); }
  void setFontSize(double points) override {
    count();
    // The sizes the runs use.
    static constexpr double kSizes[] = {9, 10, 14, 17, 20, 30, 40};
    for (const double size : kSizes) {
      if (points == size) return;
    }
    fail("font size " + std::to_string(points));
  }
  void setColour(std::uint32_t colour) override {
    count();
    if (colour > 0xFFFFFF) fail("a colour beyond 24 bits");
  }
  void setLineWidth(int pixels) override {
    count();
    if (pixels != 1 && pixels != 3) fail("line width " + std::to_string(pixels));
  }
  void moveTo(double x, double y) override {
    count();
    checkPoint(x, y);
  }
  void drawLine(double x1, double y1, double x2, double y2) override {
    count();
    checkPoint(x1, y1);
    checkPoint(x2, y2);
  }
  void print(std::string_view text, numplace::Ending /*ending*/) override {
    count();
    if (!isValidUtf8(text)) fail("a print that is not UTF-8");
    for (const char ch : text) {
      if (static_cast<unsigned char>(ch) < 0x20) fail("a control character printed");
    }
  }

 private:
  void count() {
    if (++operations_ > limit_) fail("a press drew more than " + std::to_string(kMaxOperations) + " operations");
  }
  // Every position lies on the window, but for the step log, whose lines
  // after step 60 fall below it (y up to 5500 + 180 * 41).
  static void checkPoint(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y) || x < 0 || x > numplace::kClientWidth || y < 0 || y > 13000) {
      fail("a position off the surface");
    }
  }
  long operations_ = 0;
  long limit_ = kMaxOperations;
};

// The files Text3 can name: three given by the fuzzer, a missing one and one
// that opens but cannot be read (a directory on disk).
class FuzzFiles : public numplace::FileReader {
 public:
  explicit FuzzFiles(const std::array<std::string, fuzzpress::kFiles> &contents) {
    for (std::size_t f = 0; f < contents.size(); ++f) files_.put(kNames[f], contents[f]);
  }
  numplace::FileBytes read(const std::string &name) const override {
    if (name == kNames[4]) return {{}, numplace::FileBytes::Failure::CannotRead};
    return files_.read(name);
  }
  // Names as a user might type them: the default, Japanese with a blank, a
  // leading blank (used as typed); a missing file; a directory.
  static constexpr std::array<const char *, fuzzpress::kTextFileChoices> kNames = {"karune111.csv", "データ 2.csv",
                                                                                   " c.csv", "missing.csv", "folder"};

 private:
  numplace::MemoryFiles files_;
};

struct Window {
  numplace::HeadlessControls controls;
  CheckedSurface surface;
  numplace::AnswerQueue answers;
  numplace::QueuedPrompt prompt{answers};
  const FuzzFiles &files;
  numplace::Ports ports{controls, surface, prompt, files};
  int promptLimit = kMaxPrompts;
  explicit Window(const FuzzFiles &f) : files(f) {
    prompt.setListener([this](const numplace::PromptRequest &, const std::optional<std::string> &) {
      if (prompt.asked() > promptLimit) fail("a press showed more than " + std::to_string(kMaxPrompts) + " prompts");
    });
  }
};

std::vector<std::string> allTexts(const numplace::Controls &controls) {
  std::vector<std::string> texts;
  for (const auto &control : numplace::controlLayout()) texts.push_back(controls.text(control.ref()));
  return texts;
}

bool isEntryControl(ControlRef ref) { return ref.name == "Text15" || ref.name == "Text5"; }

// The givens as the runs lay them: the puzzle source, then the extra givens.
struct Givens {
  std::optional<numplace::InputError> error;  // why a run must stop
  numplace::Grid digit{};
  bool consistent = true;  // no digit twice in a unit
};

Givens readGivens(const Window &w) {
  Givens g;
  auto t = std::make_unique<numplace::Tables>();
  g.error = numplace::readPuzzle(w.controls, w.files, *t);
  if (g.error) return g;
  const auto extras = numplace::checkExtraGivens(w.controls);
  if (const auto *error = std::get_if<numplace::InputError>(&extras)) {
    g.error = *error;
    return g;
  }
  numplace::layExtraGivens(std::get<numplace::ExtraGivens>(extras), *t);
  numplace::unpackRowCodes(*t);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c)
      g.digit[static_cast<std::size_t>((r - 1) * 9 + c - 1)] = static_cast<std::uint8_t>(t->Board[r][c]);
  }
  g.consistent = !numplace::hasDuplicateGiven(*t);
  return g;
}

// Every row, column and block holds 1..9 once, and every given stands.
std::string completionFault(const numplace::Grid &board, const numplace::Grid &givens) {
  const auto digitBit = [&](std::size_t r, std::size_t c) { return 1u << board[r * 9 + c]; };
  for (std::size_t u = 0; u < 9; ++u) {
    unsigned row = 0, column = 0, block = 0;
    for (std::size_t k = 0; k < 9; ++k) {
      row |= digitBit(u, k);
      column |= digitBit(k, u);
      block |= digitBit(3 * (u / 3) + k / 3, 3 * (u % 3) + k % 3);
    }
    if (row != 0x3FE) return "row " + std::to_string(u + 1) + " does not hold 1..9";
    if (column != 0x3FE) return "column " + std::to_string(u + 1) + " does not hold 1..9";
    if (block != 0x3FE) return "block " + std::to_string(u + 1) + " does not hold 1..9";
  }
  for (std::size_t i = 0; i < 81; ++i) {
    if (givens[i] != 0 && board[i] != givens[i]) return "a given was overwritten";
  }
  return {};
}

bool isTrialCode(std::string_view text) {
  return text.size() == 3 && text.find_first_not_of("123456789") == std::string_view::npos;
}

// The placements of the pass that produced the final board, each into an
// empty cell, rebuild that board from the pass's starting board.
void checkPlacements(const RunResult &r, const std::string &label) {
  numplace::Grid board = r.givens;
  if (r.trialCode) {
    const int code = *r.trialCode;
    const int cell = (code / 100 - 1) * 9 + (code / 10 % 10 - 1);
    if (code / 100 >= 1 && code / 10 % 10 >= 1 && board[static_cast<std::size_t>(cell)] == 0) {
      board[static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>(code % 10);
    }
  }
  for (const auto &p : r.lastPassPlacements()) {
    if (p.row < 1 || p.row > 9 || p.column < 1 || p.column > 9 || p.digit < 1 || p.digit > 9 || p.word.empty()) {
      fail(label + "a placement outside the board");
    }
    auto &cell = board[static_cast<std::size_t>((p.row - 1) * 9 + p.column - 1)];
    if (cell != 0) fail(label + "a placement into a filled cell");
    cell = static_cast<std::uint8_t>(p.digit);
  }
  if (board != r.board) fail(label + "the placements do not rebuild the final board");
}

// What the check says of the puzzle holds together, and agrees with the runs' own reading.
void checkReport(const numplace::PuzzleReport &report, const Givens &givens, const std::string &label) {
  if (report.badInput != givens.error) fail(label + "the check and the runs read the input differently");
  if (report.badInput) return;
  if (report.givens != givens.digit) fail(label + "the check read other givens");
  const numplace::CheckResult &c = report.check;
  if (c.clashes.empty() != givens.consistent)
    fail(label + "clashes reported when no unit holds a digit twice, or none");
  if (!c.clashes.empty() && c.solutions != 0) fail(label + "clashing givens with a solution");
  for (const numplace::Clash &k : c.clashes) {
    const auto at = [&](const numplace::CellRef &cell) {
      return givens.digit[static_cast<std::size_t>((cell.row - 1) * 9 + cell.column - 1)];
    };
    if (at(k.cells[0]) != k.digit || at(k.cells[1]) != k.digit) fail(label + "a clash names cells without its digit");
  }
  if (c.solution.has_value() != (c.solutions >= 1) || c.second.has_value() != (c.solutions == 2))
    fail(label + "the solutions and their count disagree");
  if (c.solution && !completionFault(*c.solution, givens.digit).empty())
    fail(label + "the check's solution is no completion of the givens");
  if (c.second && !completionFault(*c.second, givens.digit).empty())
    fail(label + "the check's second solution is no completion of the givens");
  std::size_t differing = 0;
  if (c.second) {
    for (std::size_t i = 0; i < 81; ++i) {
      if ((*c.solution)[i] == (*c.second)[i]) continue;
      if (differing >= c.differ.size() ||
          c.differ[differing] != numplace::CellRef{static_cast<int>(i / 9) + 1, static_cast<int>(i % 9) + 1})
        fail(label + "the two solutions differ elsewhere than reported");
      ++differing;
    }
    if (differing == 0) fail(label + "two solutions that are the same");
  }
  if (differing != c.differ.size()) fail(label + "more differing cells reported than there are");
  if (report.grade.has_value() != (c.solutions == 1)) fail(label + "a grade for a puzzle without one solution");
}

RunResult press(Window &w, numplace::Button button, const numplace::RunOptions &options, const std::string &label) {
  const auto layout = numplace::controlLayout();
  const std::vector<std::string> before = allTexts(w.controls);
  const bool isRun = button != numplace::Button::Clear;
  const Givens givens = isRun ? readGivens(w) : Givens{};
  std::optional<numplace::PuzzleReport> report;
  if (isRun) {
    report = numplace::examinePuzzle(w.controls, w.files);
    checkReport(*report, givens, label);
  }
  const long operationsBefore = w.surface.operations();
  w.surface.startPress();
  w.promptLimit = w.prompt.asked() + kMaxPrompts;

  const std::optional<RunResult> result = numplace::clickButton(w.ports, button, options);
  const std::vector<std::string> after = allTexts(w.controls);

  if (!isRun) {
    // The clearing button empties the entry boxes and nothing else, and draws nothing.
    for (std::size_t i = 0; i < layout.size(); ++i) {
      const ControlRef ref = layout[i].ref();
      const bool cleared = isEntryControl(ref) || ref.name == "Text6" || ref.name == "Text7";
      if (cleared ? !after[i].empty() : after[i] != before[i]) fail(label + controlLabel(ref) + " not as expected");
    }
    if (result) fail(label + "the clearing button returned a run");
    if (w.surface.operations() != operationsBefore) fail(label + "the clearing button drew");
    return {};
  }
  if (!result) fail(label + "a run returned nothing");
  const RunResult &r = *result;

  const bool stoppedOnInput = r.end == RunEnd::BadInput;
  if (stoppedOnInput != givens.error.has_value()) {
    fail(label + (stoppedOnInput ? "stopped on input the puzzle source accepts"
                                 : "ran on bad input: " + numplace::inputErrorText(*givens.error)));
  }
  if (r.inputError != givens.error) fail(label + "the run's input error is not the source's");
  if (stoppedOnInput && r.message != numplace::inputErrorText(*givens.error))
    fail(label + "the message shown is not the error's text");
  if (r.source != report->source) fail(label + "the run and the check name different sources");
  for (std::size_t i = 0; i < layout.size(); ++i) {
    if (after[i] == before[i]) continue;
    const ControlRef ref = layout[i].ref();
    const bool owned =
        !stoppedOnInput && (button == numplace::Button::Answer ? ref.name == "Text1" : ref.name == "Text14");
    if (!owned) fail(label + "changed " + controlLabel(ref) + ", which the run does not own");
  }
  if (stoppedOnInput) return r;
  if (r.givens != givens.digit) fail(label + "the givens are not the source's");
  // The answer run writes Text1 only at its final drawing: the trial code it
  // used, or empty text.
  const std::string text1 = w.controls.text({"Text1"});
  if (button == numplace::Button::Answer && r.wroteText1 != r.boardShown) fail(label + "Text1 and the final drawing");
  if (button == numplace::Button::Answer && r.wroteText1 && !text1.empty() && !isTrialCode(text1)) {
    fail(label + "Text1 holds no trial code: " + text1);
  }

  const auto messages = r.messages.texts();
  if (messages.empty() || (messages.back() != "終了" && messages.back() != " いったんstop")) {
    fail(label + "the run did not end with its end message");
  }
  const auto shown = [&](std::string_view text) { return std::ranges::find(messages, text) != messages.end(); };
  const bool error = shown("エラー") || shown("  エラー  ");
  const bool full = std::find(r.board.begin(), r.board.end(), 0) == r.board.end();
  // A full board shows "終了" alone, also when it is no solution.
  const bool filledInconsistent = r.end == RunEnd::Inconsistent && r.boardShown && full;
  if ((r.end == RunEnd::Error || r.end == RunEnd::Inconsistent) != error && !filledInconsistent &&
      !(r.end == RunEnd::Stopped && button == numplace::Button::Answer)) {
    fail(label + "the ending and the messages disagree");
  }
  if (r.end == RunEnd::Inconsistent && givens.consistent) fail(label + "consistent givens called inconsistent");
  for (std::size_t i = 0; i < 81; ++i) {
    if (givens.digit[i] != 0 && r.board[i] != givens.digit[i] && r.boardShown) {
      fail(label + "a given is shown with another digit");
    }
  }
  // The answer run's last trial is known only when it reached its final drawing.
  if ((r.end != RunEnd::Inconsistent || r.boardShown) && (button != numplace::Button::Answer || r.wroteText1))
    checkPlacements(r, label);
  // Solved means a valid full grid that keeps the givens, on every input; a
  // full board shown is solved exactly when it is one.
  if (r.end == RunEnd::Solved) {
    const std::string fault = completionFault(r.board, givens.digit);
    if (!fault.empty()) fail(label + "a board called solved is no completion of the givens: " + fault);
  }
  if (r.boardShown && full && (r.end == RunEnd::Solved) != completionFault(r.board, givens.digit).empty())
    fail(label + "a full board shown is called " + (r.end == RunEnd::Solved ? "solved" : "unsolved") +
         " against what it is");
  if (r.end == RunEnd::Solved) {
    if (report->check.solutions == 0) fail(label + "solved a puzzle that has no solution");
    if (report->check.solutions == 1 && r.board != *report->check.solution)
      fail(label + "solved to a board other than the only solution");
  }
  return r;
}

bool sameResult(const RunResult &a, const RunResult &b) {
  const auto am = a.messages.texts();
  const auto bm = b.messages.texts();
  return a.end == b.end && a.board == b.board && a.boardShown == b.boardShown && a.givens == b.givens &&
         a.trialCode == b.trialCode && a.passes == b.passes && a.placements == b.placements &&
         std::equal(am.begin(), am.end(), bm.begin(), bm.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const fuzzpress::PressInput input =
      fuzzpress::parsePressInput(std::string_view(reinterpret_cast<const char *>(data), size));
  const FuzzFiles files(input.files);
  const auto prepare = [&](Window &w) {
    for (std::size_t i = 0; i < input.texts.size(); ++i) {
      if (input.texts[i]) w.controls.type(fuzzpress::entryControl(i), *input.texts[i]);
    }
    w.controls.type({"Text3"}, FuzzFiles::kNames[static_cast<std::size_t>(input.textFile)]);
    for (const auto &answer : input.answers) w.answers.push(answer);
  };
  auto w = std::make_unique<Window>(files);
  prepare(*w);
  const numplace::RunOptions options{.skipCycleGrid = input.skipCycleGrid};
  std::vector<RunResult> results;
  for (const int button : input.buttons) {
    const auto which = fuzzpress::kButtons[static_cast<std::size_t>(button)];
    results.push_back(press(*w, *numplace::buttonNamed(which), options, std::string(which) + ": "));
  }
  if (input.compareGrid) {
    // Leaving out the answer run's cycle grid must change nothing it finds.
    auto other = std::make_unique<Window>(files);
    prepare(*other);
    const numplace::RunOptions otherOptions{.skipCycleGrid = !input.skipCycleGrid};
    for (std::size_t k = 0; k < input.buttons.size(); ++k) {
      const auto which = fuzzpress::kButtons[static_cast<std::size_t>(input.buttons[k])];
      const RunResult r = press(*other, *numplace::buttonNamed(which), otherOptions, std::string(which) + ": ");
      if (!sameResult(r, results[k])) fail(std::string(which) + ": the cycle grid changed the result");
    }
    if (allTexts(other->controls) != allTexts(w->controls)) fail("the cycle grid changed a control");
  }
  return 0;
}
