// One thread's share of numplace-cli --batch: a headless window of its own
// that solves chunks of puzzle lines into their output lines, and the tally
// (counts and technique profile) of what it solved.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "check/check.h"
#include "cli/batch.h"
#include "cli/path.h"
#include "runs/runs.h"
#include "script/answers.h"
#include "script/headless.h"

namespace numplace::batch {

// The name under which the batch hands each puzzle to the data-file source.
inline constexpr std::string_view kPuzzleFile = "batch.csv";

// Placements per technique over a collection: a difficulty profile.
struct Profile {
  std::map<std::string, long, std::less<>> placements;
  std::map<std::string, long, std::less<>> puzzlesUsing;
  std::map<int, long> passes;
  long puzzles = 0;

  void add(const std::vector<std::pair<std::string_view, int>> &byWord, int passCount);
  void merge(const Profile &other);
  void print(std::ostream &out) const;

 private:
  // Looks the word up without making a key string once it is known.
  static void count(std::map<std::string, long, std::less<>> &map, std::string_view word, long n);
};

// What the puzzles of one thread came to.
struct Tally {
  long solved = 0, unfinished = 0, errors = 0;
  // With a check: puzzles with no solution (or unreadable), one, several.
  long none = 0, unique = 0, several = 0;
  Profile profile;

  void count(int solutions) { ++(solutions == 1 ? unique : solutions == 0 ? none : several); }
  void merge(const Tally &other) {
    none += other.none;
    unique += other.unique;
    several += other.several;
    solved += other.solved;
    unfinished += other.unfinished;
    errors += other.errors;
    profile.merge(other.profile);
  }
};

// A run of puzzle lines of the input, and the output of their puzzles.
struct Chunk {
  std::uint64_t sequence = 0;
  std::size_t count = 0;             // puzzles in use; the vectors keep their storage
  std::vector<long> lines;           // each puzzle's line number
  std::vector<std::string> puzzles;  // 81 characters, '.' for an empty cell
  std::string out;
};

// The data file of the puzzle being solved: nine records, field 1 the row's
// digits, rewritten in place for every puzzle.
class PuzzleFile final : public FileReader {
 public:
  PuzzleFile();
  void set(const std::string &puzzle);
  FileBytes read(const std::string &name) const override;

 private:
  static constexpr std::size_t kRecord = 18;  // "000000000,0,0,0,0\n"
  std::string content_;
};

// A headless window of its own for one thread, reused from puzzle to puzzle.
class Solver {
 public:
  explicit Solver(const BatchOptions &options) : options_(options), json_(true) {}
  Solver(const Solver &) = delete;
  Solver &operator=(const Solver &) = delete;

  void solve(Chunk &chunk) {
    chunk.out.clear();
    for (std::size_t i = 0; i < chunk.count; ++i) solveOne(chunk.lines[i], chunk.puzzles[i], chunk.out);
  }
  const Tally &tally() const { return tally_; }

 private:
  void solveOne(long line, const std::string &puzzle, std::string &out);
  void checkOne(long line, const std::string &puzzle, std::string &out);

  static constexpr RunOptions kRunOptions{.skipCycleGrid = true};
  const BatchOptions &options_;
  HeadlessControls controls_;
  RecordingSurface surface_{false};
  AnswerQueue answers_;
  QueuedPrompt prompt_{answers_};
  PuzzleFile file_;
  Ports ports_{controls_, surface_, prompt_, file_};
  RunResult result_;
  std::string board_;
  std::vector<std::pair<std::string_view, int>> byWord_;
  PathJsonWriter json_;
  Tally tally_;
};

}  // namespace numplace::batch
