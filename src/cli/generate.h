// numplace-cli --generate: new puzzles, one line each (or one JSON object),
// the same for every number of threads.
#pragma once

#include <cstdint>
#include <optional>

#include "cli/export.h"
#include "generate/generate.h"

namespace numplace {

struct GenerateRunOptions {
  int count = 1;
  GenerateOptions puzzle;
  std::optional<std::uint64_t> seed;  // nothing: one from the clock, told on standard error
  unsigned jobs = 1;
  bool json = false;
  ExportOptions exports;  // --pdf: a booklet of the puzzles made, besides the lines
};

// Writes the puzzles to standard output; progress goes to standard error
// when it is a terminal. Returns the exit status.
int runGenerate(const GenerateRunOptions &options);

}  // namespace numplace
