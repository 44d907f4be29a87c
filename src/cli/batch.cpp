#include "cli/batch.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "board/files.h"
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
  while (chunk.count < kChunkPuzzles && (chunk.count == 0 || in.reader.lineReady())) {
    const LineReader::Got got = in.reader.next(in.line);
    if (got == LineReader::Got::End) break;
    ++in.number;
    if (got == LineReader::Got::LongLine) {
      std::cerr << in.name << ':' << in.number << ": not an 81-character puzzle (a line of more than "
                << LineReader::kLongestLine << " bytes), skipped\n";
      ++in.malformed;
      continue;
    }
    std::string &line = in.line;
    const BatchLine kind = classifyBatchLine(line);
    if (kind == BatchLine::Passed) continue;
    if (kind == BatchLine::Malformed) {
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

// Chunks on their way through the solving threads. Each thread reads its
// next chunk itself, solves it and hands it to the output; whichever thread
// finds the next chunk in input order solved writes it (and those solved
// after it), so no thread does nothing but read or write and no chunk waits
// for one to wake up. A fixed set of chunks goes round, so memory stays the
// same however long the input.
class Pipeline {
 public:
  explicit Pipeline(std::size_t chunks) : pool_(chunks), slots_(chunks, nullptr) {
    for (Chunk &c : pool_) free_.push_back(&c);
  }

  // The next chunk of input to solve, numbered in input order; nothing when
  // the input is done.
  Chunk *read(Input &in) {
    Chunk *c = nullptr;
    {
      std::unique_lock lock(mutex_);
      freed_.wait(lock, [&] { return !free_.empty(); });
      c = free_.back();
      free_.pop_back();
    }
    bool filled = false;
    {
      const std::lock_guard input(inputMutex_);
      filled = !inputDone_ && fillChunk(in, *c);
      inputDone_ = !filled;
      if (filled) c->sequence = read_++;
    }
    if (!filled) {
      recycle(c);
      return nullptr;
    }
    return c;
  }

  // A solved chunk: written at once when it is the next in input order.
  // Writing happens outside the lock, one thread at a time; a thread that
  // finds another writing leaves its chunk to it.
  void solved(Chunk *c) {
    std::unique_lock lock(mutex_);
    slots_[c->sequence % slots_.size()] = c;
    if (writing_) return;
    writing_ = true;
    for (;;) {
      Chunk *next = std::exchange(slots_[written_ % slots_.size()], nullptr);
      if (next == nullptr) break;
      ++written_;
      const bool more = slots_[written_ % slots_.size()] != nullptr;
      lock.unlock();
      writeOut(next->out, !more);
      lock.lock();
      free_.push_back(next);
      freed_.notify_one();
    }
    writing_ = false;
  }

 private:
  void recycle(Chunk *c) {
    {
      const std::lock_guard lock(mutex_);
      free_.push_back(c);
    }
    freed_.notify_one();
  }

  std::mutex inputMutex_;  // the input and the reading count
  bool inputDone_ = false;
  std::uint64_t read_ = 0;
  std::mutex mutex_;  // the rest
  std::condition_variable freed_;
  std::vector<Chunk> pool_;
  std::vector<Chunk *> free_;
  std::vector<Chunk *> slots_;  // solved chunks by sequence modulo the pool
  std::uint64_t written_ = 0;
  bool writing_ = false;
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

// Reads, solves and writes on `options.jobs` threads, this one among them.
Tally solveOnThreads(Input &in, const BatchOptions &options) {
  // A chunk being solved by each thread, and as many waiting to be written
  // behind an earlier one still being solved, with room to spare.
  Pipeline pipeline(2 * std::size_t{options.jobs} + 2);
  std::vector<std::unique_ptr<Solver>> solvers;
  for (unsigned j = 0; j < options.jobs; ++j) solvers.push_back(std::make_unique<Solver>(options));
  const auto work = [&pipeline, &in](Solver &solver) {
    while (Chunk *c = pipeline.read(in)) {
      solver.solve(*c);
      pipeline.solved(c);
    }
  };
  std::vector<std::thread> threads;
  for (unsigned j = 1; j < options.jobs; ++j) threads.emplace_back(work, std::ref(*solvers[j]));
  work(*solvers[0]);
  for (std::thread &t : threads) t.join();
  Tally tally;
  for (const auto &solver : solvers) tally.merge(solver->tally());
  return tally;
}

}  // namespace

int runBatch(const BatchOptions &options) {
  const bool standardInput = options.path == "-";
  // A named input must be a regular file (a pipe without a writer would
  // wait forever, a device never end); a stream comes as standard input.
  const RegularFileOpen file = standardInput ? RegularFileOpen{STDIN_FILENO} : openRegularFile(options.path);
  const int fd = file.fd;
  switch (file.failure) {
    case FileBytes::Failure::None:
      break;
    case FileBytes::Failure::Folder:
      std::cerr << "numplace-cli: cannot read " << options.path << ": a folder, not a file of puzzles\n";
      return kExitBadInput;
    case FileBytes::Failure::NotRegular:
      std::cerr << "numplace-cli: cannot read " << options.path
                << ": not a regular file (a pipe or a device); give a stream as standard input, --batch -\n";
      return kExitBadInput;
    default:
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
