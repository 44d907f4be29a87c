// numplace-cli --batch: the answer run over a file of puzzle lines, or
// standard input, on as many threads as asked.
#pragma once

#include <string>

namespace numplace {

struct BatchOptions {
  std::string path;        // "-" for standard input
  bool stats = false;      // passes and placements per technique, and a profile at the end
  bool json = false;       // one JSON object per puzzle instead of the text line
  unsigned jobs = 1;       // threads that solve
  bool check = false;      // the exact check and the grade added to every line
  bool checkOnly = false;  // the exact check of every line instead of the answer run
};

// Solves every puzzle line and prints one line per puzzle, in input order,
// each as soon as it and the lines before it are done; a summary goes to
// standard error. Returns the exit status.
int runBatch(const BatchOptions &options);

}  // namespace numplace
