// New puzzles: a random full grid from a seed, givens taken away in groups
// of symmetric cells while the exact check says one solution remains, the
// result graded by the program's own grade and kept when it is of the level
// asked for. Deterministic (the same seed and options give the same puzzle
// on every machine), cancellable from another thread, with progress
// reported through a callback, so that a window can run it on a worker.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string_view>

#include "check/check.h"

namespace numplace {

// The symmetry of the givens: the cells that a turn or a reflection of the
// grid maps onto one another are all givens or all empty.
enum class Symmetry { None, Rotate180, Rotate90, Mirror, Flip, Diagonal, AntiDiagonal };

inline constexpr Symmetry kSymmetries[] = {Symmetry::None, Symmetry::Rotate180, Symmetry::Rotate90,    Symmetry::Mirror,
                                           Symmetry::Flip, Symmetry::Diagonal,  Symmetry::AntiDiagonal};

// "none", "rot180", "rot90", "mirror" (left-right), "flip" (up-down),
// "diagonal" (the main diagonal, top left to bottom right), "antidiagonal".
std::string_view symmetryName(Symmetry symmetry);
std::optional<Symmetry> symmetryNamed(std::string_view name);

// The cell (0..80, row by row) that `symmetry` maps `cell` onto.
int symmetricCell(Symmetry symmetry, int cell);

// Whether the givens of `puzzle` are symmetric under `symmetry`.
bool isSymmetric(const Grid &puzzle, Symmetry symmetry);

inline constexpr int kLevels = 7;  // the grade's levels, 1..7

// The level's English name in lower case ("easy" .. "beyond"), and back.
std::string_view levelKey(int level);
std::optional<int> levelNamed(std::string_view name);

struct GenerateOptions {
  Symmetry symmetry = Symmetry::None;
  int level = 0;  // 1..kLevels; 0: any level
  int minScore = 0;
  int maxScore = std::numeric_limits<int>::max();
  int minGivens = 17;  // no puzzle with one solution has fewer
  int maxGivens = 81;
  // No given can be taken away without a second solution. Otherwise givens
  // are taken away only down to a number drawn from the range of givens,
  // and with a level asked for, a group whose removal would make the
  // puzzle harder than that stays.
  bool minimal = true;
  bool grade = false;  // grade the puzzle also when nothing about its grade is asked
};

// Options that can never be met, as a message; nothing when they are fine.
std::optional<std::string_view> optionsProblem(const GenerateOptions &options);

struct GeneratedPuzzle {
  Grid puzzle{};  // 0 for an empty cell
  Grid solution{};
  std::optional<Grade> grade;  // when a level or score was asked for, or `grade` set
  int givens = 0;
  std::uint64_t seed = 0;  // generatePuzzle(options, seed) makes this puzzle again
};

// How far a generation has come.
struct GenerateProgress {
  long attempts = 0;  // puzzles made and looked at (each full grid and each step from a near miss)
  int made = 0;       // puzzles finished
  int wanted = 0;
};
// Called on the generating thread (one call at a time when there are
// several), often: it should return at once.
using ProgressCallback = std::function<void(const GenerateProgress &)>;

// One puzzle from `seed`; nothing when `cancel` is set (checked after every
// attempt, a millisecond or so apart). Without a cancel flag, options that
// are rare to meet may take long.
std::optional<GeneratedPuzzle> generatePuzzle(const GenerateOptions &options, std::uint64_t seed,
                                              const std::atomic<bool> *cancel = nullptr,
                                              const ProgressCallback &progress = {});

// The generator's removal pass on its own (for the benchmark): the givens
// of `solution` taken away in groups of `symmetry`, in an order drawn from
// `seed`, each while one solution remains.
Grid removalPass(const Grid &solution, Symmetry symmetry, std::uint64_t seed);

// Seeds are below 2^53, so that they stay exact as JSON numbers (which
// many readers hold as doubles).
inline constexpr std::uint64_t kSeedLimit = std::uint64_t{1} << 53;

// The seed of the k-th puzzle of a run from `seed` (below kSeedLimit); the
// 0th is `seed`. The seeds of a run are all different.
std::uint64_t puzzleSeed(std::uint64_t seed, std::uint64_t k);

// `count` different puzzles: those of the seeds puzzleSeed(seed, 0), (seed,
// 1), ... in this order, a puzzle equal to an earlier one left out, made on
// `jobs` threads (this one among them) and handed to `take` in that order,
// each as soon as it and those before it are made; the same puzzles for any
// `jobs`. `take` is called one puzzle at a time. False when cancelled.
bool generatePuzzles(const GenerateOptions &options, std::uint64_t seed, int count, unsigned jobs,
                     const std::function<void(const GeneratedPuzzle &)> &take,
                     const std::atomic<bool> *cancel = nullptr, const ProgressCallback &progress = {});

}  // namespace numplace
