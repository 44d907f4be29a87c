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

#include "cli/batch_solver.h"
#include "cli/lines.h"
#include "cli/options.h"

namespace numplace {
namespace {

using batch::Chunk;
using batch::Solver;
using batch::Tally;

// Puzzles handed to a thread at a time: enough to keep the locking rare
// (a puzzle takes tens of microseconds), few enough to keep lines flowing.
constexpr std::size_t kChunkPuzzles = 32;

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
    return kExitBadInput;
  }
  Input in(fd, options.path);
  const auto start = std::chrono::steady_clock::now();
  const Tally tally = options.jobs > 1 ? solveOnThreads(in, options) : solveHere(in, options);
  const int readError = in.reader.error();
  if (!standardInput) ::close(fd);
  if (options.stats) tally.profile.print(std::cout);
  std::cout.flush();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const long total =
      options.checkOnly ? tally.none + tally.unique + tally.several : tally.solved + tally.unfinished + tally.errors;
  if (options.checkOnly) {
    std::cerr << "puzzles " << total << ": one solution " << tally.unique << ", several " << tally.several << ", none "
              << tally.none << ", malformed lines " << in.malformed << "; " << seconds << " s, "
              << (seconds > 0 ? static_cast<double>(total) / seconds : 0.0) << " puzzles/s\n";
  } else {
    std::cerr << "puzzles " << total << ": solved " << tally.solved << ", unfinished " << tally.unfinished << ", error "
              << tally.errors << ", malformed lines " << in.malformed << "; " << seconds << " s, "
              << (seconds > 0 ? static_cast<double>(total) / seconds : 0.0) << " puzzles/s";
    if (options.check)
      std::cerr << "; one solution " << tally.unique << ", several " << tally.several << ", none " << tally.none;
    std::cerr << '\n';
  }
  if (readError != 0) {
    std::cerr << "numplace-cli: cannot read " << options.path << ": " << std::strerror(readError) << '\n';
    return kExitBadInput;
  }
  return in.malformed > 0 ? kExitSkippedLines : kExitDone;
}

}  // namespace numplace
