// Singles played by hand on an 81-character puzzle, the slow and plain way,
// to check the grade's first two levels against: naked singles with hidden
// singles in blocks only, or hidden singles in every unit.
#pragma once

#include <bit>
#include <string>

#include "helpers.h"

namespace numplace_test {

enum class HiddenSingles { InBlocks, InEveryUnit };

// Cell (r, c) of unit k (1..9) of a kind: 0 rows, 1 columns, 2 blocks.
inline std::pair<int, int> cellOfUnit(int kind, int unit, int k) {
  if (kind == 0) return {unit, k};
  if (kind == 1) return {k, unit};
  return {3 * ((unit - 1) / 3) + (k - 1) / 3 + 1, 3 * ((unit - 1) % 3) + (k - 1) % 3 + 1};
}

// Places naked and hidden singles until none is left; true when that fills
// the grid. The order does not matter: a single stays a single (or is
// placed) whatever else is placed first.
inline bool solvedBySingles(std::string p, HiddenSingles hidden) {
  for (bool placed = true; placed;) {
    placed = false;
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        const std::uint16_t free = freeDigits(p, r, c);
        if (digitAt(p, r, c) == 0 && std::popcount(static_cast<unsigned>(free)) == 1) {
          p = withDigit(p, r, c, std::countr_zero(static_cast<unsigned>(free)));
          placed = true;
        }
      }
    }
    for (int kind = hidden == HiddenSingles::InBlocks ? 2 : 0; kind < 3; ++kind) {
      for (int unit = 1; unit <= 9; ++unit) {
        for (int d = 1; d <= 9; ++d) {
          int places = 0;
          std::pair<int, int> where;
          for (int k = 1; k <= 9; ++k) {
            const auto [r, c] = cellOfUnit(kind, unit, k);
            if (digitAt(p, r, c) == d) places = 10;  // already placed
            if (digitAt(p, r, c) == 0 && (freeDigits(p, r, c) & (1u << d))) {
              ++places;
              where = {r, c};
            }
          }
          if (places == 1) {
            p = withDigit(p, where.first, where.second, d);
            placed = true;
          }
        }
      }
    }
  }
  return p.find('0') == std::string::npos;
}

}  // namespace numplace_test
