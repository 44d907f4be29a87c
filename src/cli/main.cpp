// numplace-cli: the engine without a window, for scripting, batch solving and tests.
#include <algorithm>
#include <iostream>

#include "board/files.h"
#include "board/input_error.h"
#include "check/check.h"
#include "cli/check_output.h"
#include "cli/entries_output.h"
#include "cli/explain.h"
#include "cli/export.h"
#include "cli/options.h"
#include "cli/path.h"
#include "cli/summary.h"
#include "cli/trace.h"
#include "document/loader.h"
#include "numplace/version.h"
#include "script/headless.h"

namespace {

using namespace numplace;

// The check of the puzzle the next run reads, with what the document adds.
struct Checked {
  PuzzleReport report;
  BeyondGrid beyond;
  std::optional<PuzzleOrigin> collection;
  DocumentFields fields() const { return {&beyond, collection ? &*collection : nullptr}; }
};

Checked checkNow(const Controls &controls, const FileReader &files, const PuzzleDocument &document, bool withGrade) {
  Checked out{examinePuzzle(controls, files, withGrade), {}, std::nullopt};
  out.beyond = describeBeyondGrid(controls, files, out.report, document.state().answerTrial);
  if (document.showsCollectionPuzzle(controls)) out.collection = document.state().origin;
  return out;
}

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
  PuzzleDocument document;
  DocumentLoader loader(document, controls, *surface);
  // Without the trace nothing drawn is looked at: only the results count.
  const RunOptions runOptions{.skipCycleGrid = !options.trace};
  std::optional<RunResult> last;
  std::optional<Checked> checked;
  std::optional<Checked> beforeLast;  // what the last run read beyond the grid, for --json
  std::optional<EntriesCheck> entries;
  bool badInput = false;
  for (std::size_t i = 0; i <= options.actions.size(); ++i) {
    if (options.checkAfter == i) checked = checkNow(controls, files, document, true);
    if (options.checkEntriesAfter == i) entries = documentEntries(document, controls);
    if (i == options.actions.size()) break;
    const Action &action = options.actions[i];
    std::optional<Checked> before;
    if (options.json && std::holds_alternative<Click>(action)) before = checkNow(controls, files, document, false);
    Played played = playAction(action, controls, ports, answers, runOptions, &loader);
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
    beforeLast = std::move(before);
  }
  if (checked && checked->report.badInput) {
    badInput = true;
    std::cerr << "numplace-cli: " << inputErrorText(*checked->report.badInput) << '\n';
  }
  // What --check-entries and --hint add to the JSON object.
  std::string userFields;
  if (entries) appendEntriesField(userFields, *entries);
  if (loader.lastHint()) {
    if (!userFields.empty()) userFields += ',';
    appendHintField(userFields, *loader.lastHint());
  }
  if (options.json && !last && (checked || !userFields.empty())) {
    std::string json = "{}";
    if (checked) {
      json.clear();
      const DocumentFields fields = checked->fields();
      appendCheckJson(json, checked->report, true, 0, {}, &fields);
    }
    if (!userFields.empty()) addFields(json, userFields);
    std::cout << json << '\n';
  } else if (options.json || options.explain) {
    if (!last) {
      std::cerr << "numplace-cli: " << (options.json ? "--json" : "--explain")
                << " needs an analysis run among the actions (--click Command3, Command7, Command1 or Command5)"
                << (options.json ? ", --check, --check-entries or --hint" : "") << '\n';
      return kExitUsage;
    }
    if (options.json) {
      std::string json;
      const PuzzleReport report = checked ? checked->report : reportOfRun(*last);
      const Checked *context = checked ? &*checked : beforeLast ? &*beforeLast : nullptr;
      const DocumentFields fields = context != nullptr ? context->fields() : DocumentFields{};
      PathJsonWriter().append(json, *last, {}, &report, &fields);
      if (!userFields.empty()) addFields(json, userFields);
      std::cout << json << '\n';
    } else {
      printExplanation(std::cout, *last);
      if (checked) printCheck(std::cout, checked->report);
    }
  } else {
    if (!options.trace) printSummary(std::cout, last, controls);
    if (checked) {
      printCheck(std::cout, checked->report);
      printDocumentCheck(std::cout, checked->fields());
    }
  }
  if (!options.json) {
    if (entries) printEntries(std::cout, *entries);
    if (loader.lastHint()) printHint(std::cout, *loader.lastHint());
  }
  if (options.dump) dumpControls(std::cout, controls);
  if (options.exports.any()) {
    // The puzzle the actions leave, as the next analysis run would read it.
    const bool checkedAtEnd = checked && options.checkAfter == options.actions.size();
    const PuzzleReport exported = checkedAtEnd ? checked->report : examinePuzzle(controls, files);
    if (exported.badInput) {
      // The check at the end has said why already.
      std::cerr << "numplace-cli: " << (checkedAtEnd ? std::string() : inputErrorText(*exported.badInput) + "; ")
                << "nothing written\n";
    }
    std::cout.flush();
    const Grid userEntries = document.entries(controls);
    const bool anyEntry = std::any_of(userEntries.begin(), userEntries.end(), [](std::uint8_t d) { return d != 0; });
    if (exportPuzzle(exported, anyEntry ? &userEntries : nullptr, last ? &*last : nullptr, options.exports) !=
        kExitDone) {
      return kExitBadInput;
    }
  }
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
  if (options.batch)
    return options.exports.pdf ? exportBatch(*options.batch, options.exports) : runBatch(*options.batch);
  if (options.generate) return runGenerate(*options.generate);
  return playActions(options);
}
