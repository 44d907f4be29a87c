// Whole button presses through the headless ports: the fuzzer types a text
// into every entry control, writes the data files that Text3 may name,
// queues the prompt answers, and clicks one or two buttons. Besides not
// crashing, every press must end within a fixed amount of drawing, leave the
// controls it does not own as the user typed them, and call solved only a
// board that is a valid completion of the givens.
//
// The input layout is described in press_input.h.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "board/layout.h"
#include "board/sources.h"
#include "board/tables.h"
#include "cli/headless.h"
#include "press_input.h"
#include "runs/runs.h"
#include "techniques/techniques.h"

namespace {

using numplace::ControlRef;

// The most drawing operations one press may make. The largest press measured
// drew 860,243 operations (an answer run through its trial passes; 806
// puzzles of the shared collections, each with three runs) and 853,852 in
// the campaign corpus; the bound leaves a sixfold margin and stops a run
// that loops long before libFuzzer's timeout would.
constexpr long kMaxOperations = 5'000'000;
// The most prompts one press may show: the step runs ask once per placement
// and per table change, reference 2 at most six times.
constexpr int kMaxPrompts = 1000;

// The directory of the data files; it lives only while one input runs
// (libFuzzer does not always end through exit, so nothing may wait for it).
std::filesystem::path dataDirectory;

[[noreturn]] void fail(const std::string &what) {
  std::fprintf(stderr, "fuzz_press: %s\n", what.c_str());
  std::error_code ignored;
  if (!dataDirectory.empty()) std::filesystem::remove_all(dataDirectory, ignored);
  std::abort();
}

// The surface, stopping the press as soon as it draws more than the bound.
class BoundedSurface : public numplace::HeadlessSurface {
 public:
  void startPress() { limit_ = operations() + kMaxOperations; }
  void clear() override {
    HeadlessSurface::clear();
    check();
  }
  void setFontSize(double points) override {
    HeadlessSurface::setFontSize(points);
    check();
  }
  void setColour(std::uint32_t colour) override {
    HeadlessSurface::setColour(colour);
    check();
  }
  void setLineWidth(int pixels) override {
    HeadlessSurface::setLineWidth(pixels);
    check();
  }
  void moveTo(double x, double y) override {
    HeadlessSurface::moveTo(x, y);
    check();
  }
  void drawLine(double x1, double y1, double x2, double y2) override {
    HeadlessSurface::drawLine(x1, y1, x2, y2);
    check();
  }
  void print(std::string_view text, numplace::Ending ending) override {
    HeadlessSurface::print(text, ending);
    check();
  }

 private:
  void check() const {
    if (operations() > limit_) fail("a press drew more than " + std::to_string(kMaxOperations) + " operations");
  }
  long limit_ = kMaxOperations;
};

class BoundedPrompt : public numplace::QueuedPrompt {
 public:
  using QueuedPrompt::QueuedPrompt;
  void startPress() { limit_ = asked() + kMaxPrompts; }
  std::optional<std::string> ask(const numplace::PromptRequest &request) override {
    if (asked() >= limit_) fail("a press showed more than " + std::to_string(kMaxPrompts) + " prompts");
    return QueuedPrompt::ask(request);
  }

 private:
  int limit_ = kMaxPrompts;
};

// The files Text3 can name, in a directory of this process's own.
struct DataFiles {
  std::filesystem::path dir;
  std::array<std::string, fuzzpress::kTextFileChoices> names;  // what Text3 holds for each choice
};

DataFiles &dataFiles() {
  static DataFiles files = [] {
    DataFiles f;
    f.dir = std::filesystem::temp_directory_path() / ("numplace-fuzz-" + std::to_string(getpid()));
    dataDirectory = f.dir;
    // Names as a user might type them: the default, Japanese with a blank,
    // a leading blank (used as typed); then a missing file and a directory.
    f.names = {(f.dir / "karune111.csv").string(), (f.dir / "データ 2.csv").string(), (f.dir / " c.csv").string(),
               (f.dir / "missing.csv").string(), f.dir.string()};
    return f;
  }();
  return files;
}

void writeFile(const std::string &path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) fail("cannot write " + path);
}

std::vector<std::string> allTexts(const numplace::HeadlessControls &controls) {
  std::vector<std::string> texts;
  for (const auto &control : numplace::controlLayout()) texts.push_back(controls.text(control.ref()));
  return texts;
}

bool isEntryControl(ControlRef ref) { return ref.name == "Text15" || ref.name == "Text5"; }

// The givens as the runs lay them: the puzzle source, then the extra givens.
struct Givens {
  std::optional<std::string> error;  // the message a run must stop with
  std::array<int, 81> digit{};       // 0 for an empty cell
  bool consistent = true;            // no digit twice in a unit
};

Givens readGivens(const numplace::Controls &controls) {
  Givens g;
  auto t = std::make_unique<numplace::Tables>();
  g.error = numplace::readPuzzle(controls, *t);
  if (!g.error) g.error = numplace::checkExtraGivens(controls);
  if (g.error) return g;
  numplace::layExtraGivens(controls, *t);
  numplace::unpackRowCodes(*t);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) g.digit[static_cast<std::size_t>((r - 1) * 9 + c - 1)] = t->Board[r][c];
  }
  g.consistent = !numplace::hasDuplicateGiven(*t);
  return g;
}

// Every row, column and block holds 1..9 once, and every given stands.
std::string completionFault(const std::string &board, const Givens &g) {
  const auto digitBit = [&](std::size_t r, std::size_t c) { return 1u << (board[r * 9 + c] - '0'); };
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
    if (g.digit[i] != 0 && board[i] != '0' + g.digit[i]) return "a given was overwritten";
  }
  return {};
}

bool isTrialCode(std::string_view text) {
  return text.size() == 3 && text.find_first_not_of("123456789") == std::string_view::npos;
}

// A number of the trace: rounded to at most three decimals, no trailing
// zeros or point, never -0.
bool isTraceNumber(std::string_view token) {
  std::string_view digits = token;
  if (digits.starts_with('-')) digits.remove_prefix(1);
  const std::size_t point = digits.find('.');
  const std::string_view whole = digits.substr(0, point);
  if (whole.empty() || whole.find_first_not_of("0123456789") != std::string_view::npos) return false;
  if (whole.size() > 1 && whole.front() == '0') return false;
  if (point != std::string_view::npos) {
    const std::string_view fraction = digits.substr(point + 1);
    if (fraction.empty() || fraction.size() > 3 || fraction.back() == '0') return false;
    if (fraction.find_first_not_of("0123456789") != std::string_view::npos) return false;
  }
  return token != "-0";
}

// The trace a press wrote: one event per line, each line a known event
// (strings escaped, so no text breaks a line or hides a control character),
// one line per drawing operation, numbers in the trace's number form.
void checkTrace(std::string_view trace, long operations, const std::string &label) {
  long drawing = 0;
  while (!trace.empty()) {
    const std::size_t end = trace.find('\n');
    if (end == std::string_view::npos) fail(label + "the trace does not end with a line break");
    const std::string_view line = trace.substr(0, end);
    trace.remove_prefix(end + 1);
    for (const char ch : line) {
      if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) fail(label + "a control character in the trace");
    }
    const std::string_view event = line.substr(0, line.find(' '));
    const std::string_view args = event.size() < line.size() ? line.substr(event.size() + 1) : std::string_view();
    if (event == "text" || event == "prompt" || event == "error") continue;
    if (event == "clear" && args.empty()) {
      ++drawing;
      continue;
    }
    if (event == "print") {
      if (!args.starts_with('"') || !(args.ends_with("\" newline") || args.ends_with("\" continue"))) {
        fail(label + "a print line of the trace is not a string and an ending");
      }
      ++drawing;
      continue;
    }
    static constexpr std::array<std::pair<std::string_view, int>, 5> kNumeric = {
        {{"font", 1}, {"colour", 1}, {"width", 1}, {"move", 2}, {"line", 4}}};
    int expected = -1;
    for (const auto &[name, count] : kNumeric) expected = event == name ? count : expected;
    if (expected < 0) fail(label + "the trace holds a line that is no event");
    int count = 0;
    for (std::string_view rest = args; !rest.empty(); ++count) {
      const std::size_t blank = rest.find(' ');
      if (!isTraceNumber(rest.substr(0, blank))) fail(label + "a number of the trace is not in its form");
      rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    }
    if (count != expected) fail(label + "a drawing line of the trace has the wrong number of values");
    ++drawing;
  }
  if (drawing != operations) fail(label + "the trace does not hold one line per drawing operation");
}

struct Window {
  numplace::HeadlessControls controls;
  BoundedSurface surface;
  numplace::AnswerQueue answers;
  BoundedPrompt prompt{answers};
  numplace::Ports ports{controls, surface, prompt};
  std::ostringstream trace;
  bool traced = false;
  void traceTo(bool on) {
    traced = on;
    controls.setTrace(on ? &trace : nullptr);
    surface.setTrace(on ? &trace : nullptr);
    prompt.setTrace(on ? &trace : nullptr);
  }
};

void press(Window &w, std::string_view button) {
  const auto layout = numplace::controlLayout();
  const std::vector<std::string> before = allTexts(w.controls);
  const bool isRun = button != "Command4";
  const Givens givens = isRun ? readGivens(w.controls) : Givens{};
  const std::size_t errorsBefore = w.surface.errors().size();
  const long operationsBefore = w.surface.operations();
  w.trace.str("");
  w.surface.startPress();
  w.prompt.startPress();

  if (!numplace::clickButton(w.ports, button)) fail("clickButton refused " + std::string(button));

  const std::string label = std::string(button) + ": ";
  if (std::getenv("NUMPLACE_FUZZ_STATS") != nullptr) {
    std::fprintf(stderr, "press %s operations %ld\n", std::string(button).c_str(),
                 w.surface.operations() - operationsBefore);
  }
  const std::vector<std::string> after = allTexts(w.controls);
  if (w.traced) checkTrace(w.trace.view(), w.surface.operations() - operationsBefore, label);

  if (!isRun) {
    // The clearing button empties the entry boxes and nothing else, and draws nothing.
    for (std::size_t i = 0; i < layout.size(); ++i) {
      const ControlRef ref = layout[i].ref();
      const bool cleared = isEntryControl(ref) || ref.name == "Text6" || ref.name == "Text7";
      if (cleared ? !after[i].empty() : after[i] != before[i]) fail(label + controlLabel(ref) + " not as expected");
    }
    if (w.surface.operations() != operationsBefore) fail(label + "the clearing button drew");
    return;
  }

  const bool stoppedOnInput = w.surface.errors().size() > errorsBefore;
  if (stoppedOnInput != givens.error.has_value()) {
    fail(label +
         (stoppedOnInput ? "stopped on input the puzzle source accepts" : "ran on bad input: " + *givens.error));
  }
  for (std::size_t i = 0; i < layout.size(); ++i) {
    if (after[i] == before[i]) continue;
    const ControlRef ref = layout[i].ref();
    const bool owned = !stoppedOnInput && (button == "Command3" ? ref.name == "Text1" : ref.name == "Text14");
    if (!owned) fail(label + "changed " + controlLabel(ref) + ", which the run does not own");
  }
  if (stoppedOnInput) return;
  // The answer run writes Text1 only at its final drawing: the trial code it
  // used, or empty text.
  const std::string text1 = w.controls.text({"Text1"});
  const std::string &typed1 = before[static_cast<std::size_t>(numplace::controlPosition({"Text1"}))];
  if (button == "Command3" && text1 != typed1 && !text1.empty() && !isTrialCode(text1)) {
    fail(label + "Text1 holds no trial code: " + text1);
  }

  const auto &messages = w.surface.messages();
  if (messages.empty() || (messages.back() != "終了" && messages.back() != " いったんstop")) {
    fail(label + "the run did not end with its end message");
  }
  const std::string board = w.surface.board81();
  for (std::size_t i = 0; i < 81; ++i) {
    if (givens.digit[i] != 0 && board[i] != '.' && board[i] != '0' + givens.digit[i]) {
      fail(label + "a given is shown with another digit");
    }
  }
  bool error = false;
  for (const auto &m : messages) error = error || m.find("エラー") != std::string::npos;
  if (board.find('.') == std::string::npos && !error && givens.consistent) {
    const std::string fault = completionFault(board, givens);
    if (!fault.empty()) fail(label + "a board called solved is no completion of the givens: " + fault);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const fuzzpress::PressInput input =
      fuzzpress::parsePressInput(std::string_view(reinterpret_cast<const char *>(data), size));
  const DataFiles &files = dataFiles();
  std::error_code error;
  std::filesystem::remove_all(files.dir, error);  // left by a process of the same id that crashed
  if (!std::filesystem::create_directory(files.dir, error)) fail("cannot make " + files.dir.string());
  for (std::size_t f = 0; f < input.files.size(); ++f) writeFile(files.names[f], input.files[f]);

  auto w = std::make_unique<Window>();
  w->traceTo(input.trace);
  for (std::size_t i = 0; i < input.texts.size(); ++i) {
    if (input.texts[i]) w->controls.type(fuzzpress::entryControl(i), *input.texts[i]);
  }
  w->controls.type({"Text3"}, files.names[static_cast<std::size_t>(input.textFile)]);
  for (const auto &answer : input.answers) w->answers.push(answer);

  for (const int button : input.buttons) press(*w, fuzzpress::kButtons[static_cast<std::size_t>(button)]);
  std::filesystem::remove_all(files.dir, error);
  return 0;
}
