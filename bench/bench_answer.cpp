// The answer run per puzzle over the collections in tests/data, as batch
// solving runs it: the puzzle handed to the data-file source from memory, no
// surface to draw on, the cycle grid left out. Each benchmark solves every
// puzzle of its set once per iteration (never one puzzle over and over) and
// reports the median, 99th percentile and worst single puzzle.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "board/files.h"
#include "runs/runs.h"
#include "script/answers.h"
#include "script/headless.h"

namespace {

using namespace numplace;

// The data files of a collection, in memory.
std::vector<std::string> collection(const std::string &name) {
  std::vector<std::string> files;
  std::ifstream in(std::string(NUMPLACE_DATA_DIR) + "/" + name + ".txt");
  for (std::string line; std::getline(in, line);) {
    if (line.size() < 81) continue;
    std::string file;
    for (std::size_t r = 0; r < 9; ++r) file += line.substr(r * 9, 9) + ",0,0,0,0\n";
    files.push_back(std::move(file));
  }
  return files;
}

double percentile(std::vector<double> &sorted, double p) {
  const auto i = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
  return sorted[std::min(i, sorted.size() - 1)];
}

void answerRun(benchmark::State &state, const std::string &name) {
  const std::vector<std::string> files = collection(name);
  if (files.empty()) {
    state.SkipWithError(("no puzzles in " + name).c_str());
    return;
  }
  HeadlessControls controls;
  controls.type({"Text3"}, "puzzle.csv");
  RecordingSurface surface(false);
  AnswerQueue answers;
  QueuedPrompt prompt(answers);
  MemoryFiles memory;
  Ports ports{controls, surface, prompt, memory};
  const RunOptions options{.skipCycleGrid = true};
  RunResult result;
  std::vector<double> times;
  times.reserve(files.size() * 4);
  for (auto _ : state) {
    for (const std::string &file : files) {
      memory.put("puzzle.csv", file);
      controls.type({"Text1"}, "追加 1");
      const auto start = std::chrono::steady_clock::now();
      runAnswer(ports, options, result);
      times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
      benchmark::DoNotOptimize(result.board);
    }
  }
  std::sort(times.begin(), times.end());
  state.counters["median_us"] = percentile(times, 0.5);
  state.counters["p99_us"] = percentile(times, 0.99);
  state.counters["worst_us"] = times.back();
  state.counters["puzzles_per_s"] = benchmark::Counter(static_cast<double>(times.size()), benchmark::Counter::kIsRate);
}

}  // namespace

// One pass over each set per iteration; the time per iteration is the set's.
BENCHMARK_CAPTURE(answerRun, se_easy, std::string("se_easy"))->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_CAPTURE(answerRun, se_hard, std::string("se_hard"))->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_CAPTURE(answerRun, 17clue, std::string("17clue"))->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(answerRun, top1465, std::string("top1465"))->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
