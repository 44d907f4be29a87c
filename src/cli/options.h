// The command line of numplace-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/export.h"
#include "cli/generate.h"
#include "script/actions.h"

namespace numplace {

// Exit statuses.
inline constexpr int kExitDone = 0;
// A run stopped on bad input; the batch input cannot be opened or read
// (this wins over kExitSkippedLines: the lines after the fault were never seen).
inline constexpr int kExitBadInput = 1;
// Bad arguments, an unknown button, --json or --explain without a run (or a check).
inline constexpr int kExitUsage = 2;
// A batch skipped lines that are not puzzles; the puzzle lines were all solved.
inline constexpr int kExitSkippedLines = 3;

struct Options {
  bool help = false;
  bool version = false;
  bool trace = false;
  bool dump = false;
  bool json = false;     // the last analysis run as JSON instead of the summary
  bool explain = false;  // the last analysis run's path for a person instead of the summary
  std::optional<BatchOptions> batch;
  std::optional<GenerateRunOptions> generate;
  std::vector<Action> actions;
  // --check: the puzzle is checked after this many actions (the last --check counts).
  std::optional<std::size_t> checkAfter;
  // --check-entries: the user's entries are checked after this many actions.
  std::optional<std::size_t> checkEntriesAfter;
  // --pdf, --png, --svg: the batch's puzzles, or the puzzle the actions leave.
  ExportOptions exports;
};

// The options, or a message for bad arguments.
struct ParsedOptions {
  Options options;
  std::optional<std::string> error;
};
ParsedOptions parseOptions(int argc, const char *const *argv);

extern const char *const kHelp;

}  // namespace numplace
