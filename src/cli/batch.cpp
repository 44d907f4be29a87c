#include "cli/batch.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "cli/lines.h"
#include "cli/path.h"
#include "cli/summary.h"
#include "script/answers.h"
#include "script/headless.h"

namespace numplace {
namespace {

// The name under which the batch hands each puzzle to the data-file source.
constexpr std::string_view kPuzzleFile = "batch.csv";

// Puzzles handed to a thread at a time: enough to keep the locking rare
// (a puzzle takes tens of microseconds), few enough to keep lines flowing.
constexpr std::size_t kChunkPuzzles = 32;

// Placements per technique over a collection: a difficulty profile.
struct Profile {
  std::map<std::string, long, std::less<>> placements;
  std::map<std::string, long, std::less<>> puzzlesUsing;
  std::map<int, long> passes;
  long puzzles = 0;

  void add(const std::vector<std::pair<std::string_view, int>> &byWord, int passCount) {
    ++puzzles;
    ++passes[passCount];
    for (const auto &[word, n] : byWord) {
      count(placements, word, n);
      count(puzzlesUsing, word, 1);
    }
  }

  void merge(const Profile &other) {
    puzzles += other.puzzles;
    for (const auto &[p, n] : other.passes) passes[p] += n;
    for (const auto &[word, n] : other.placements) placements[word] += n;
    for (const auto &[word, n] : other.puzzlesUsing) puzzlesUsing[word] += n;
  }

  void print(std::ostream &out) const {
    out << "# profile of " << puzzles << " puzzles\n# technique placements puzzles mean-per-puzzle\n";
    for (const char *word : {"基本", "ブロ", "よこ", "たて", "縦１", "横１"}) {
      const auto it = placements.find(word);
      const long n = it == placements.end() ? 0 : it->second;
      const auto used = puzzlesUsing.find(word);
      out << "# " << word << ' ' << n << ' ' << (used == puzzlesUsing.end() ? 0 : used->second) << ' '
          << (puzzles > 0 ? static_cast<double>(n) / static_cast<double>(puzzles) : 0.0) << '\n';
    }
    out << "# passes puzzles\n";
    for (const auto &[p, n] : passes) out << "# " << p << ' ' << n << '\n';
  }

 private:
  // Looks the word up without making a key string once it is known.
  static void count(std::map<std::string, long, std::less<>> &map, std::string_view word, long n) {
    const auto it = map.find(word);
    if (it == map.end()) {
      map.emplace(std::string(word), n);
    } else {
      it->second += n;
    }
  }
};

// What the puzzles of one thread came to.
struct Tally {
  long solved = 0, unfinished = 0, errors = 0;
  Profile profile;

  void merge(const Tally &other) {
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
  PuzzleFile() {
    for (int r = 0; r < 9; ++r) content_ += "000000000,0,0,0,0\n";
  }
  void set(const std::string &puzzle) {
    for (std::size_t r = 0; r < 9; ++r) {
      for (std::size_t c = 0; c < 9; ++c) {
        const char ch = puzzle[r * 9 + c];
        content_[r * kRecord + c] = ch == '.' ? '0' : ch;
      }
    }
  }
  FileBytes read(const std::string &name) const override {
    if (name != kPuzzleFile) return {{}, FileBytes::Failure::CannotOpen};
    return {content_, FileBytes::Failure::None};
  }

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
  void solveOne(long line, const std::string &puzzle, std::string &out) {
    file_.set(puzzle);
    controls_.type({"Text1"}, "追加 1");
    controls_.type({"Text3"}, kPuzzleFile);
    runAnswer(ports_, kRunOptions, result_);
    board_ = result_.boardShown ? gridText(result_.board) : puzzle;
    std::string_view status;
    if (result_.end == RunEnd::BadInput || result_.end == RunEnd::Inconsistent) {
      status = "error";
      ++tally_.errors;
    } else if (board_.find('.') == std::string::npos) {
      status = "solved";
      ++tally_.solved;
    } else {
      status = "unfinished";
      ++tally_.unfinished;
    }
    if (options_.json) {
      json_.append(out, result_, BatchFields{line, board_, status});
      out += '\n';
      return;
    }
    out += board_;
    out += ' ';
    out += status;
    out += ' ';
    out += result_.trialCode ? std::to_string(*result_.trialCode) : "-";
    if (options_.stats) {
      // In the byte order of the words, as the lines have always listed them.
      byWord_.clear();
      for (const PlacementRecord &p : result_.lastPassPlacements()) {
        const auto it = std::find_if(byWord_.begin(), byWord_.end(), [&](const auto &e) { return e.first == p.word; });
        if (it == byWord_.end()) {
          byWord_.emplace_back(p.word, 1);
        } else {
          ++it->second;
        }
      }
      std::sort(byWord_.begin(), byWord_.end());
      tally_.profile.add(byWord_, result_.passes);
      out += " passes=";
      out += std::to_string(result_.passes);
      for (const auto &[word, n] : byWord_) {
        out += ' ';
        out += word;
        out += '=';
        out += std::to_string(n);
      }
    }
    out += '\n';
  }

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

// The input side: lines read, malformed lines reported as they are met.
struct Input {
  Input(int fd, std::string inputName) : reader(fd), name(std::move(inputName)) {}
  LineReader reader;
  std::string name;  // for the messages
  std::string line;
  long number = 0;
  long malformed = 0;
};

// Fills the chunk with the next puzzle lines. Stops early rather than wait
// for more input, so that a puzzle written into a pipe is answered at once.
// False when the input has no puzzles left.
bool fillChunk(Input &in, Chunk &chunk) {
  chunk.count = 0;
  while (chunk.count < kChunkPuzzles && (chunk.count == 0 || in.reader.lineReady()) && in.reader.next(in.line)) {
    ++in.number;
    std::string &line = in.line;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line.starts_with('#')) continue;
    if (line.size() != 81 || line.find_first_not_of("0123456789.") != std::string::npos) {
      std::cerr << in.name << ':' << in.number << ": not an 81-character puzzle, skipped\n";
      ++in.malformed;
      continue;
    }
    if (chunk.puzzles.size() == chunk.count) {
      chunk.puzzles.emplace_back();
      chunk.lines.emplace_back();
    }
    std::string &puzzle = chunk.puzzles[chunk.count];
    puzzle = line;
    std::replace(puzzle.begin(), puzzle.end(), '0', '.');
    chunk.lines[chunk.count] = in.number;
    ++chunk.count;
  }
  return chunk.count > 0;
}

void writeOut(const std::string &text, bool flush) {
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (flush) std::cout.flush();
}

// Chunks on their way from the reader through the solvers to the writer. A
// fixed set of chunks goes round, so memory stays the same however long the
// input; the writer takes them back in the order they were read.
class Pipeline {
 public:
  explicit Pipeline(std::size_t chunks) : pool_(chunks), work_(chunks, nullptr), slots_(chunks, nullptr) {
    for (Chunk &c : pool_) free_.push_back(&c);
  }

  // The reader: a chunk to fill, once the writer has given one back.
  Chunk *takeFree() {
    std::unique_lock lock(mutex_);
    freed_.wait(lock, [&] { return !free_.empty(); });
    Chunk *c = free_.back();
    free_.pop_back();
    return c;
  }
  void giveBackUnused(Chunk *c) {
    const std::lock_guard lock(mutex_);
    free_.push_back(c);
  }
  void submit(Chunk *c) {
    {
      const std::lock_guard lock(mutex_);
      c->sequence = submitted_++;
      work_[(taken_ + waiting_++) % work_.size()] = c;
    }
    queued_.notify_one();
  }
  void finish() {
    {
      const std::lock_guard lock(mutex_);
      finished_ = true;
    }
    queued_.notify_all();
    solved_.notify_all();
  }

  // A solver: the next chunk to solve, or nothing when the input is done.
  Chunk *takeWork() {
    std::unique_lock lock(mutex_);
    queued_.wait(lock, [&] { return waiting_ > 0 || finished_; });
    if (waiting_ == 0) return nullptr;
    --waiting_;
    return work_[taken_++ % work_.size()];
  }
  void solved(Chunk *c) {
    {
      const std::lock_guard lock(mutex_);
      slots_[c->sequence % slots_.size()] = c;
    }
    solved_.notify_one();
  }

  // The writer: the next chunk in input order, or nothing after the last.
  // `more` tells whether the one after it is solved already.
  Chunk *takeSolved(bool &more) {
    std::unique_lock lock(mutex_);
    Chunk *&slot = slots_[written_ % slots_.size()];
    solved_.wait(lock, [&] { return slot != nullptr || (finished_ && written_ == submitted_); });
    Chunk *c = std::exchange(slot, nullptr);
    if (c != nullptr) {
      ++written_;
      more = slots_[written_ % slots_.size()] != nullptr;
    }
    return c;
  }
  void recycle(Chunk *c) {
    {
      const std::lock_guard lock(mutex_);
      free_.push_back(c);
    }
    freed_.notify_one();
  }

 private:
  std::mutex mutex_;
  std::condition_variable freed_, queued_, solved_;
  std::vector<Chunk> pool_;
  std::vector<Chunk *> free_;
  // Submitted chunks waiting for a solver, a ring as large as the pool:
  // `waiting_` of them from position `taken_` on.
  std::vector<Chunk *> work_;
  std::size_t taken_ = 0, waiting_ = 0;
  std::vector<Chunk *> slots_;  // solved chunks by sequence modulo the pool
  std::uint64_t submitted_ = 0, written_ = 0;
  bool finished_ = false;
};

// Reads, solves and writes on this thread alone.
Tally solveHere(Input &in, const BatchOptions &options) {
  Solver solver(options);
  Chunk chunk;
  while (fillChunk(in, chunk)) {
    solver.solve(chunk);
    writeOut(chunk.out, !in.reader.lineReady());
  }
  return solver.tally();
}

// Reads on this thread, solves on `options.jobs` threads and writes on one more.
Tally solveOnThreads(Input &in, const BatchOptions &options) {
  Pipeline pipeline(4 * std::size_t{options.jobs} + 4);
  std::vector<std::unique_ptr<Solver>> solvers;
  std::vector<std::thread> threads;
  for (unsigned j = 0; j < options.jobs; ++j) {
    solvers.push_back(std::make_unique<Solver>(options));
    threads.emplace_back([&pipeline, &solver = *solvers.back()] {
      while (Chunk *c = pipeline.takeWork()) {
        solver.solve(*c);
        pipeline.solved(c);
      }
    });
  }
  std::thread writer([&pipeline] {
    bool more = false;
    while (Chunk *c = pipeline.takeSolved(more)) {
      writeOut(c->out, !more);
      pipeline.recycle(c);
    }
  });
  for (;;) {
    Chunk *c = pipeline.takeFree();
    if (!fillChunk(in, *c)) {
      pipeline.giveBackUnused(c);
      break;
    }
    pipeline.submit(c);
  }
  pipeline.finish();
  for (std::thread &t : threads) t.join();
  writer.join();
  Tally tally;
  for (const auto &solver : solvers) tally.merge(solver->tally());
  return tally;
}

}  // namespace

int runBatch(const BatchOptions &options) {
  const bool standardInput = options.path == "-";
  const int fd = standardInput ? STDIN_FILENO : ::open(options.path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    std::cerr << "numplace-cli: cannot open " << options.path << '\n';
    return 1;
  }
  Input in(fd, options.path);
  const auto start = std::chrono::steady_clock::now();
  const Tally tally = options.jobs > 1 ? solveOnThreads(in, options) : solveHere(in, options);
  const int readError = in.reader.error();
  if (!standardInput) ::close(fd);
  if (options.stats) tally.profile.print(std::cout);
  std::cout.flush();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const long total = tally.solved + tally.unfinished + tally.errors;
  std::cerr << "puzzles " << total << ": solved " << tally.solved << ", unfinished " << tally.unfinished << ", error "
            << tally.errors << ", malformed lines " << in.malformed << "; " << seconds << " s, "
            << (seconds > 0 ? static_cast<double>(total) / seconds : 0.0) << " puzzles/s\n";
  if (readError != 0) {
    std::cerr << "numplace-cli: cannot read " << options.path << ": " << std::strerror(readError) << '\n';
    return 1;
  }
  return 0;
}

}  // namespace numplace
