// numplace-cli --batch: the answer run over a file of puzzle lines.
#pragma once

#include <string>

namespace numplace {

struct BatchOptions {
  std::string path;
  bool stats = false;  // passes and placements per technique, and a profile at the end
};

// Solves every puzzle line and prints one line per puzzle; a summary goes to
// standard error. Returns the exit status.
int runBatch(const BatchOptions &options);

}  // namespace numplace
