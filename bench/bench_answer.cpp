// The answer run per puzzle over public collections, with a surface that
// discards drawing (as batch solving uses it). Each collection is written
// out as data files first, so that a timed run reads its puzzle the way "答"
// does, from the file named in Text3.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "board/layout.h"
#include "runs/runs.h"

namespace {

using namespace numplace;

class BenchControls : public Controls {
 public:
  explicit BenchControls(std::string file) : file_(std::move(file)) {}
  std::string text(ControlRef ref) const override {
    if (ref.name == "Text3") return file_;
    if (ref.name == "Text15" || ref.name == "Text5") return "";
    return "";
  }
  void setText(ControlRef, std::string_view) override {}

 private:
  std::string file_;
};

class DiscardingSurface : public DrawingSurface {
 public:
  void clear() override {}
  void setFontSize(double) override {}
  void setColour(std::uint32_t) override {}
  void setLineWidth(int) override {}
  void moveTo(double, double) override {}
  void drawLine(double, double, double, double) override {}
  void print(std::string_view, Ending) override {}
  bool keepsDrawing() const override { return false; }
};

class DefaultPrompt : public Prompt {
 public:
  std::optional<std::string> ask(const PromptRequest &r) override { return r.defaultAnswer; }
};

// The data files of a collection, written once.
const std::vector<std::string> &collection(const std::string &name) {
  static std::map<std::string, std::vector<std::string>> files;
  auto &out = files[name];
  if (!out.empty()) return out;
  const auto dir = std::filesystem::temp_directory_path() / ("numplace-bench-" + name);
  std::filesystem::create_directories(dir);
  std::ifstream in(std::string(NUMPLACE_CORPUS_DIR) + "/" + name + ".txt");
  std::string line;
  for (int n = 0; std::getline(in, line); ++n) {
    if (line.size() < 81) continue;
    const auto path = (dir / (std::to_string(n) + ".csv")).string();
    std::ofstream f(path);
    for (int r = 0; r < 9; ++r) f << line.substr(static_cast<std::size_t>(r) * 9, 9) << ",0,0,0,0\n";
    out.push_back(path);
  }
  return out;
}

// One iteration solves one puzzle of the collection, in turn; the counters
// report the median and the worst single puzzle in microseconds.
void answerRun(benchmark::State &state, const std::string &name) {
  const auto &files = collection(name);
  std::vector<double> times;
  std::size_t next = 0;
  DiscardingSurface surface;
  DefaultPrompt prompt;
  for (auto _ : state) {
    BenchControls controls(files[next]);
    Ports ports{controls, surface, prompt};
    const auto start = std::chrono::steady_clock::now();
    runAnswer(ports);
    times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    next = (next + 1) % files.size();
  }
  std::sort(times.begin(), times.end());
  if (!times.empty()) {
    state.counters["median_us"] = times[times.size() / 2];
    state.counters["worst_us"] = times.back();
  }
  state.counters["puzzles_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK_CAPTURE(answerRun, se_easy, std::string("se_easy"))->Iterations(500);
BENCHMARK_CAPTURE(answerRun, se_hard, std::string("se_hard"))->Iterations(500);
BENCHMARK_CAPTURE(answerRun, top1465, std::string("top1465"))->Iterations(1465);
BENCHMARK_CAPTURE(answerRun, 17clue, std::string("17clue"))->Iterations(4916);

BENCHMARK_MAIN();
