// The exact check (solutions counted to two) per puzzle over the collections
// in tests/data, from memory: every puzzle of a set once per iteration, each
// timed on its own; the median, 99th percentile and worst single puzzle. The
// grade, which plays the program's techniques, has a benchmark of its own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "check/check.h"

namespace {

using namespace numplace;

std::vector<Grid> collection(const std::string &name) {
  std::vector<Grid> grids;
  std::ifstream in(std::string(NUMPLACE_DATA_DIR) + "/" + name + ".txt");
  for (std::string line; std::getline(in, line);) {
    if (line.size() < 81) continue;
    Grid g{};
    for (std::size_t i = 0; i < 81; ++i)
      g[i] = static_cast<std::uint8_t>(line[i] >= '1' && line[i] <= '9' ? line[i] - '0' : 0);
    grids.push_back(g);
  }
  return grids;
}

double percentile(const std::vector<double> &sorted, double p) {
  const auto i = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
  return sorted[std::min(i, sorted.size() - 1)];
}

template <typename Work>
void perPuzzle(benchmark::State &state, const std::string &name, Work work) {
  const std::vector<Grid> grids = collection(name);
  if (grids.empty()) {
    state.SkipWithError(("no puzzles in " + name).c_str());
    return;
  }
  // Each puzzle's fastest time over the iterations: the machine is shared,
  // and the slower repetitions measure the neighbours.
  std::vector<double> best(grids.size(), 1e300);
  for (auto _ : state) {
    for (std::size_t i = 0; i < grids.size(); ++i) {
      const auto start = std::chrono::steady_clock::now();
      work(grids[i]);
      const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
      best[i] = std::min(best[i], us);
    }
  }
  std::sort(best.begin(), best.end());
  state.counters["median_us"] = percentile(best, 0.5);
  state.counters["p99_us"] = percentile(best, 0.99);
  state.counters["worst_us"] = best.back();
  state.counters["puzzles"] = static_cast<double>(grids.size());
}

void check(benchmark::State &state, const std::string &name) {
  perPuzzle(state, name, [](const Grid &g) {
    CheckResult c = checkGivens(g);
    benchmark::DoNotOptimize(c);
  });
}

void grade(benchmark::State &state, const std::string &name) {
  perPuzzle(state, name, [](const Grid &g) {
    const CheckResult c = checkGivens(g);
    auto grade = gradePuzzle(g, c);
    benchmark::DoNotOptimize(grade);
  });
}

}  // namespace

BENCHMARK_CAPTURE(check, 17clue, std::string("17clue"))->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(check, top1465, std::string("top1465"))->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(check, forum_hardest_1106, std::string("forum_hardest_1106"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(check, serg_multisolution, std::string("serg_multisolution"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(grade, se_diabolical, std::string("se_diabolical"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(grade, top1465, std::string("top1465"))->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
