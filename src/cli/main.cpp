// numplace-cli: the engine without a window, for scripting, batch solving and tests.
#include <iostream>

#include "board/files.h"
#include "board/input_error.h"
#include "check/check.h"
#include "cli/check_output.h"
#include "cli/explain.h"
#include "cli/options.h"
#include "cli/path.h"
#include "cli/summary.h"
#include "cli/trace.h"
#include "numplace/version.h"
#include "script/headless.h"

namespace {

using namespace numplace;

// Plays the actions on a fresh headless window; with the trace, every
// drawing call goes to standard output as it happens.
int playActions(const Options &options) {
  HeadlessControls controls;
  AnswerQueue answers;
  QueuedPrompt prompt(answers);
  DiskFiles files;
  TraceSurface traced(std::cout);
  RecordingSurface untraced(false);
  // A pointer rather than a conditional of two references: cppcheck takes
  // the conditional for a temporary.
  DrawingSurface *const surface = options.trace ? static_cast<DrawingSurface *>(&traced) : &untraced;
  if (options.trace) {
    traceControlChanges(controls, std::cout);
    tracePrompts(prompt, std::cout);
  }
  Ports ports{controls, *surface, prompt, files};
  // Without the trace nothing drawn is looked at: only the results count.
  const RunOptions runOptions{.skipCycleGrid = !options.trace};
  std::optional<RunResult> last;
  std::optional<PuzzleReport> checked;
  bool badInput = false;
  for (std::size_t i = 0; i <= options.actions.size(); ++i) {
    if (options.checkAfter == i) checked = examinePuzzle(controls, files);
    if (i == options.actions.size()) break;
    const Action &action = options.actions[i];
    Played played = playAction(action, controls, ports, answers, runOptions);
    if (played.error) {
      std::cerr << "numplace-cli: " << *played.error << '\n';
      return kExitUsage;
    }
    if (!played.run) continue;
    if (played.run->end == RunEnd::BadInput) {
      badInput = true;
      std::cerr << "numplace-cli: " << played.run->message << '\n';
      if (options.trace) traceInputError(std::cout, played.run->message);
    }
    last = std::move(played.run);
  }
  if (checked && checked->badInput) {
    badInput = true;
    std::cerr << "numplace-cli: " << inputErrorText(*checked->badInput) << '\n';
  }
  if (options.json && !last && checked) {
    std::string json;
    appendCheckJson(json, *checked, true);
    std::cout << json << '\n';
  } else if (options.json || options.explain) {
    if (!last) {
      std::cerr << "numplace-cli: " << (options.json ? "--json" : "--explain")
                << " needs an analysis run among the actions (--click Command3, Command7, Command1 or Command5)"
                << (options.json ? " or --check" : "") << '\n';
      return kExitUsage;
    }
    if (options.json) {
      std::string json;
      const PuzzleReport report = checked ? *checked : reportOfRun(*last);
      PathJsonWriter().append(json, *last, {}, &report);
      std::cout << json << '\n';
    } else {
      printExplanation(std::cout, *last);
      if (checked) printCheck(std::cout, *checked);
    }
  } else {
    if (!options.trace) printSummary(std::cout, last, controls);
    if (checked) printCheck(std::cout, *checked);
  }
  if (options.dump) dumpControls(std::cout, controls);
  return badInput ? kExitBadInput : kExitDone;
}

}  // namespace

int main(int argc, char **argv) {
  const ParsedOptions parsed = parseOptions(argc, argv);
  if (parsed.error) {
    std::cerr << "numplace-cli: " << *parsed.error << '\n';
    return kExitUsage;
  }
  const Options &options = parsed.options;
  if (options.help) {
    std::cout << kHelp;
    return kExitDone;
  }
  if (options.version) {
    std::cout << "numplace-cli " << kNumplaceVersion << '\n';
    return kExitDone;
  }
  if (options.batch) return runBatch(*options.batch);
  if (options.generate) return runGenerate(*options.generate);
  return playActions(options);
}
