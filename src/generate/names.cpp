// The generator's words and rules: the names of the symmetries and levels,
// the cells a symmetry maps onto one another, the options that can be met,
// and the seeds of a run.
#include "board/contract.h"
#include "generate/generate.h"

namespace numplace {
namespace {

constexpr std::string_view kSymmetryNames[] = {"none", "rot180", "rot90", "mirror", "flip", "diagonal", "antidiagonal"};
constexpr std::string_view kLevelKeys[] = {"", "easy", "medium", "hard", "expert", "fiendish", "trial", "beyond"};

}  // namespace

std::string_view symmetryName(Symmetry symmetry) { return kSymmetryNames[static_cast<int>(symmetry)]; }

std::optional<Symmetry> symmetryNamed(std::string_view name) {
  for (const Symmetry s : kSymmetries) {
    if (symmetryName(s) == name) return s;
  }
  return std::nullopt;
}

int symmetricCell(Symmetry symmetry, int cell) {
  NUMPLACE_ASSERT(cell >= 0 && cell < 81);
  const int r = cell / 9;
  const int c = cell % 9;
  switch (symmetry) {
    case Symmetry::None:
      break;
    case Symmetry::Rotate180:
      return 80 - cell;
    case Symmetry::Rotate90:  // a quarter turn clockwise
      return 9 * c + (8 - r);
    case Symmetry::Mirror:
      return 9 * r + (8 - c);
    case Symmetry::Flip:
      return 9 * (8 - r) + c;
    case Symmetry::Diagonal:
      return 9 * c + r;
    case Symmetry::AntiDiagonal:
      return 9 * (8 - c) + (8 - r);
  }
  return cell;
}

bool isSymmetric(const Grid &puzzle, Symmetry symmetry) {
  for (int i = 0; i < 81; ++i) {
    const bool given = puzzle[static_cast<std::size_t>(i)] != 0;
    if (given != (puzzle[static_cast<std::size_t>(symmetricCell(symmetry, i))] != 0)) return false;
  }
  return true;
}

std::string_view levelKey(int level) { return level >= 1 && level <= kLevels ? kLevelKeys[level] : ""; }

std::optional<int> levelNamed(std::string_view name) {
  for (int level = 1; level <= kLevels; ++level) {
    if (kLevelKeys[level] == name) return level;
  }
  return std::nullopt;
}

std::optional<std::string_view> optionsProblem(const GenerateOptions &o) {
  if (o.level < 0 || o.level > kLevels) return "the level is 1 to 7";
  if (o.minGivens < 17 || o.maxGivens > 81 || o.minGivens > o.maxGivens)
    return "the givens are a range within 17-81 (no puzzle with one solution has fewer than 17)";
  if (o.minScore < 0 || o.minScore > o.maxScore) return "the score is a range of numbers from 0";
  if (o.symmetry == Symmetry::Rotate90) {
    // Groups of four cells and the centre: 4k or 4k + 1 givens.
    bool possible = false;
    for (int n = o.minGivens; n <= o.maxGivens; ++n) possible = possible || n % 4 <= 1;
    if (!possible) return "a puzzle symmetric under a quarter turn has 4k or 4k+1 givens";
  }
  return std::nullopt;
}

std::uint64_t puzzleSeed(std::uint64_t seed, std::uint64_t k) {
  NUMPLACE_ASSERT(seed < kSeedLimit);
  // An odd step goes through every number below 2^53 before it repeats; one
  // that is no multiple of the step splitmix64 adds, so that the generators
  // of neighbouring puzzles share no state words.
  return (seed + k * 0xD1B54A32D192ED03ull) & (kSeedLimit - 1);
}
}  // namespace numplace
