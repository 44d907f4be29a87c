// One hint (level 3) per position, from memory: the positions are those a
// user meets who takes every hint from the givens to the solution, each
// timed on its own (its fastest over the iterations); the median, 99th
// percentile and worst, for all positions and for those where the step run
// finds nothing and the hint falls back on a cell of the solution.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "hints/hints.h"

namespace {

using namespace numplace;

struct Position {
  Grid givens{};
  Grid entries{};
};

// Every position of the hint walk from the givens of each puzzle of a set;
// with `firstOnly` only the givens.
std::vector<Position> positions(const std::string &name, bool firstOnly) {
  std::vector<Position> out;
  std::ifstream in(std::string(NUMPLACE_DATA_DIR) + "/" + name + ".txt");
  for (std::string line; std::getline(in, line);) {
    if (line.size() < 81) continue;
    Position p;
    for (std::size_t i = 0; i < 81; ++i)
      p.givens[i] = static_cast<std::uint8_t>(line[i] >= '1' && line[i] <= '9' ? line[i] - '0' : 0);
    for (;;) {
      const Hint h = hintFor(p.givens, p.entries, 3);
      if (h.cells.size() != 1 || !h.digit || h.kind == HintKind::WrongEntry) break;
      out.push_back(p);
      if (firstOnly) break;
      const CellRef c = h.cells.front();
      p.entries[static_cast<std::size_t>(c.row - 1) * 9 + static_cast<std::size_t>(c.column - 1)] =
          static_cast<std::uint8_t>(*h.digit);
    }
  }
  return out;
}

double percentile(const std::vector<double> &sorted, double p) {
  if (sorted.empty()) return 0;
  const auto i = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
  return sorted[std::min(i, sorted.size() - 1)];
}

void hint(benchmark::State &state, const std::string &name, bool firstOnly) {
  const std::vector<Position> all = positions(name, firstOnly);
  if (all.empty()) {
    state.SkipWithError(("no puzzles in " + name).c_str());
    return;
  }
  std::vector<double> best(all.size(), 1e300);
  std::vector<bool> fallback(all.size(), false);
  for (auto _ : state) {
    for (std::size_t i = 0; i < all.size(); ++i) {
      const auto start = std::chrono::steady_clock::now();
      const Hint h = hintFor(all[i].givens, all[i].entries, 3);
      const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
      best[i] = std::min(best[i], us);
      fallback[i] = h.kind == HintKind::SolutionCell;
      benchmark::DoNotOptimize(h);
    }
  }
  std::vector<double> solutionCells;
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (fallback[i]) solutionCells.push_back(best[i]);
  }
  std::sort(best.begin(), best.end());
  std::sort(solutionCells.begin(), solutionCells.end());
  state.counters["positions"] = static_cast<double>(all.size());
  state.counters["median_us"] = percentile(best, 0.5);
  state.counters["p99_us"] = percentile(best, 0.99);
  state.counters["worst_us"] = best.back();
  state.counters["fallbacks"] = static_cast<double>(solutionCells.size());
  state.counters["fallback_median_us"] = percentile(solutionCells, 0.5);
  state.counters["fallback_worst_us"] = solutionCells.empty() ? 0 : solutionCells.back();
}

}  // namespace

BENCHMARK_CAPTURE(hint, se_hard_givens, std::string("se_hard"), true)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(hint, top95_givens, std::string("top95"), true)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(hint, se_hard_walk, std::string("se_hard"), false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(hint, top95_walk, std::string("top95"), false)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
