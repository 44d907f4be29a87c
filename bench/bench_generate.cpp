// The generator's inner steps, each on its own: a random full grid, the
// removal pass (groups of givens taken away while one solution remains),
// the grade of a generated puzzle, and whole puzzles of each level.
#include <benchmark/benchmark.h>

#include <vector>

#include "check/check.h"
#include "generate/generate.h"
#include "generate/random.h"

namespace {

using namespace numplace;

constexpr int kSamples = 64;

std::vector<Grid> fullGrids() {
  std::vector<Grid> grids;
  Random random(1);
  const Grid empty{};
  for (int i = 0; i < kSamples; ++i) grids.push_back(randomSolution(empty, random).value());
  return grids;
}

void gridFill(benchmark::State &state) {
  Random random(2);
  const Grid empty{};
  for (auto _ : state) {
    auto grid = randomSolution(empty, random);
    benchmark::DoNotOptimize(grid);
  }
}

void removal(benchmark::State &state, Symmetry symmetry) {
  const std::vector<Grid> grids = fullGrids();
  std::uint64_t n = 0;
  for (auto _ : state) {
    Grid puzzle = removalPass(grids[n % kSamples], symmetry, n);
    benchmark::DoNotOptimize(puzzle);
    ++n;
  }
}

void grade(benchmark::State &state) {
  std::vector<GeneratedPuzzle> puzzles;
  for (std::uint64_t seed = 0; seed < kSamples; ++seed) puzzles.push_back(generatePuzzle({}, seed).value());
  std::size_t n = 0;
  for (auto _ : state) {
    const GeneratedPuzzle &p = puzzles[n++ % puzzles.size()];
    CheckResult check;
    check.solutions = 1;
    check.solution = p.solution;
    auto g = gradePuzzle(p.puzzle, check);
    benchmark::DoNotOptimize(g);
  }
}

// Whole puzzles: fill, removal and grade, as many times as the level needs.
void puzzle(benchmark::State &state) {
  GenerateOptions options;
  options.level = static_cast<int>(state.range(0));
  std::uint64_t seed = 0;
  for (auto _ : state) {
    auto p = generatePuzzle(options, seed++);
    benchmark::DoNotOptimize(p);
  }
  state.counters["puzzles_per_s"] = benchmark::Counter(static_cast<double>(seed), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(gridFill)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(removal, none, Symmetry::None)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(removal, rot180, Symmetry::Rotate180)->Unit(benchmark::kMicrosecond);
BENCHMARK(grade)->Unit(benchmark::kMicrosecond);
BENCHMARK(puzzle)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
