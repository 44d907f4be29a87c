// What a technique reports to the run that called it. A technique that finds
// a placement returns it without writing the board: the run reports it its
// own way first.
#pragma once

#include <optional>

namespace numplace {

struct Placement {
  int row = 0;
  int column = 0;
  int digit = 0;
  friend bool operator==(const Placement &, const Placement &) = default;
};

enum class Outcome { Continue, Contradiction };

// A scan that stops at its first find, and how many of its units or cells it
// tested up to and including that one (all of them when it found nothing).
// The step family sets font size 9 once per test before its step line.
struct Scan {
  std::optional<Placement> placement;
  int tested = 0;
};

}  // namespace numplace
