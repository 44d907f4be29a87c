// Inside the generator: what stops the making of one puzzle, and the making
// of one puzzle under it, for the runs of several puzzles on several threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

#include "generate/generate.h"

namespace numplace {

// What stops a generation: the caller's flag, and within a run of several
// puzzles the run's own (set when enough are made).
struct Stop {
  const std::atomic<bool> *caller = nullptr;
  const std::atomic<bool> *run = nullptr;
  bool now() const {
    return (caller != nullptr && caller->load(std::memory_order_relaxed)) ||
           (run != nullptr && run->load(std::memory_order_relaxed));
  }
};

// One puzzle from `seed`, or nothing when stopped; `attempted` is called
// after every attempt.
std::optional<GeneratedPuzzle> generateOne(const GenerateOptions &options, std::uint64_t seed, Stop stop,
                                           const std::function<void()> &attempted);

}  // namespace numplace
