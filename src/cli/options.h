// The command line of numplace-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "script/actions.h"

namespace numplace {

// Exit statuses.
inline constexpr int kExitDone = 0;
inline constexpr int kExitBadInput = 1;  // a run stopped on bad input; the batch file cannot be opened
inline constexpr int kExitUsage =
    2;  // bad arguments, an unknown button, --json or --explain without a run (or a check)

struct Options {
  bool help = false;
  bool version = false;
  bool trace = false;
  bool dump = false;
  bool json = false;     // the last analysis run as JSON instead of the summary
  bool explain = false;  // the last analysis run's path for a person instead of the summary
  std::optional<BatchOptions> batch;
  std::vector<Action> actions;
  // --check: the puzzle is checked after this many actions (the last --check counts).
  std::optional<std::size_t> checkAfter;
};

// The options, or a message for bad arguments.
struct ParsedOptions {
  Options options;
  std::optional<std::string> error;
};
ParsedOptions parseOptions(int argc, const char *const *argv);

extern const char *const kHelp;

}  // namespace numplace
