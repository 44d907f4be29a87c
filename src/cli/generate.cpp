#include "cli/generate.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/options.h"
#include "generate/random.h"

namespace numplace {
namespace {

std::string digitsOf(const Grid &g) {
  std::string out(81, '0');
  for (std::size_t i = 0; i < 81; ++i) out[i] = static_cast<char>('0' + g[i]);
  return out;
}

std::string jsonLine(const GeneratedPuzzle &p, Symmetry symmetry) {
  nlohmann::ordered_json j;
  j["puzzle"] = digitsOf(p.puzzle);
  j["solution"] = digitsOf(p.solution);
  if (p.grade) {
    j["grade"] = {
        {"level", p.grade->level}, {"name", p.grade->name}, {"english", p.grade->english}, {"score", p.grade->score}};
  } else {
    j["grade"] = nullptr;
  }
  j["givens"] = p.givens;
  j["symmetry"] = symmetryName(symmetry);
  j["seed"] = p.seed;
  return j.dump();
}

// A seed from the clock, for a run that named none.
std::uint64_t clockSeed() {
  auto state = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  return splitMix64(state) & (kSeedLimit - 1);
}

// One line on a terminal, written over at most ten times a second, and
// wiped before a puzzle is written (standard output may be the same
// terminal). The generating threads call both.
class ProgressLine {
 public:
  void show(const GenerateProgress &p) {
    const std::lock_guard lock(mutex_);
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && now - last_ < std::chrono::milliseconds(100)) return;
    last_ = now;
    shown_ = true;
    std::fprintf(stderr, "\r\033[K%d of %d puzzles, %ld tried", p.made, p.wanted, p.attempts);
    std::fflush(stderr);
  }
  // Writes `text` to standard output with the line wiped (when it is shown).
  void write(const std::string &text) {
    const std::lock_guard lock(mutex_);
    if (shown_) {
      std::fputs("\r\033[K", stderr);
      std::fflush(stderr);
      shown_ = false;
    }
    std::cout << text << std::flush;
  }

 private:
  std::mutex mutex_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point last_;
};

}  // namespace

int runGenerate(const GenerateRunOptions &options) {
  GenerateOptions puzzle = options.puzzle;
  puzzle.grade = puzzle.grade || options.json;
  const std::uint64_t seed = options.seed.value_or(clockSeed());
  if (!options.seed) std::cerr << "numplace-cli: seed " << seed << '\n';
  ProgressLine line;
  ProgressCallback progress;
  if (::isatty(STDERR_FILENO) != 0) progress = [&line](const GenerateProgress &p) { line.show(p); };
  std::vector<Grid> booklet;
  const auto take = [&](const GeneratedPuzzle &p) {
    line.write((options.json ? jsonLine(p, puzzle.symmetry) : digitsOf(p.puzzle)) + '\n');
    if (options.exports.pdf) booklet.push_back(p.puzzle);
  };
  generatePuzzles(puzzle, seed, options.count, options.jobs, take, nullptr, progress);
  line.write("");
  if (options.exports.pdf) {
    std::cout.flush();
    return exportPuzzles(booklet, "新しい問題", options.exports);
  }
  return kExitDone;
}

}  // namespace numplace
