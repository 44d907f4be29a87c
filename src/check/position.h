// The search's position, shared by the exact check and the generator's
// searches: each cell's candidates as bits, the digits placed in each unit,
// and the propagation of naked and hidden singles and locked candidates.
// Inside the check only.
#pragma once

#include <bit>
#include <cstdint>

#include "check/check.h"

namespace numplace::exact {

inline constexpr std::uint16_t kAll = 0x1FF;  // digits 1..9 as bits 0..8

struct Geometry {
  std::uint8_t unitCells[27][9]{};  // rows, columns, blocks
  // The three cells of each row (kind 0) or column (kind 1) within each of
  // the three blocks it crosses.
  std::uint8_t segments[2][9][3][3]{};
  std::uint8_t units[81][3]{};
  std::uint32_t unitMask[81]{};  // the cell's three units as bits 0..26
  std::uint8_t peers[81][20]{};
  constexpr Geometry() {
    for (int i = 0; i < 81; ++i) {
      const int r = i / 9;
      const int c = i % 9;
      const int b = 3 * (r / 3) + c / 3;
      units[i][0] = static_cast<std::uint8_t>(r);
      units[i][1] = static_cast<std::uint8_t>(9 + c);
      units[i][2] = static_cast<std::uint8_t>(18 + b);
      unitMask[i] = (1u << r) | (1u << (9 + c)) | (1u << (18 + b));
      unitCells[r][c] = static_cast<std::uint8_t>(i);
      unitCells[9 + c][r] = static_cast<std::uint8_t>(i);
      unitCells[18 + b][3 * (r % 3) + c % 3] = static_cast<std::uint8_t>(i);
      segments[0][r][c / 3][c % 3] = static_cast<std::uint8_t>(i);
      segments[1][c][r / 3][r % 3] = static_cast<std::uint8_t>(i);
    }
    for (int i = 0; i < 81; ++i) {
      int n = 0;
      for (int j = 0; j < 81; ++j) {
        const bool sameRow = i / 9 == j / 9;
        const bool sameColumn = i % 9 == j % 9;
        const bool sameBlock = (i / 27 == j / 27) && ((i % 9) / 3 == (j % 9) / 3);
        if (j != i && (sameRow || sameColumn || sameBlock)) peers[i][n++] = static_cast<std::uint8_t>(j);
      }
    }
  }
};
inline constexpr Geometry kGeo;

// Digits in each candidate set (std::popcount is a library call on the
// processors the program is built for).
struct Counts {
  std::uint8_t count[512]{};
  constexpr Counts() {
    for (int m = 1; m < 512; ++m) count[m] = static_cast<std::uint8_t>(count[m >> 1] + (m & 1));
  }
};
inline constexpr Counts kCounts;

inline int lowestDigit(std::uint16_t bits) { return std::countr_zero(static_cast<unsigned>(bits)); }
inline bool isSingle(std::uint16_t bits) { return (bits & (bits - 1)) == 0; }

// One position of the search: the candidates of the empty cells (0 for a
// filled cell) and the digits; copied when the search branches.
struct Position {
  std::uint16_t cand[81];
  std::uint8_t value[81];
  int filled;
  // Cells found to have one candidate left, waiting to be filled.
  std::uint8_t queue[81];
  int queued;
  // Units whose candidates changed since the hidden singles last looked.
  std::uint32_t dirty;
  // Rows and columns (bits 0..17 as in `dirty`) whose candidates changed
  // since the locked candidates last looked at their band.
  std::uint32_t lineDirty;
  // The digits placed in each unit.
  std::uint16_t placedIn[27];

  // Fills `cell` with `digit` (0..8) and takes the digit from its peers;
  // false on a contradiction.
  bool place(int cell, int digit) {
    const auto bit = static_cast<std::uint16_t>(1u << digit);
    if ((cand[cell] & bit) == 0) return false;
    value[cell] = static_cast<std::uint8_t>(digit + 1);
    cand[cell] = 0;
    ++filled;
    for (const std::uint8_t u : kGeo.units[cell]) placedIn[u] = static_cast<std::uint16_t>(placedIn[u] | bit);
    // Gathered in a local: a member would be written back at every peer.
    std::uint32_t changed = kGeo.unitMask[cell];
    int waiting = queued;
    for (const std::uint8_t p : kGeo.peers[cell]) {
      std::uint16_t &m = cand[p];
      if ((m & bit) == 0) continue;
      changed |= kGeo.unitMask[p];
      m = static_cast<std::uint16_t>(m & ~bit);
      if (m == 0) {
        dirty |= changed;
        lineDirty |= changed;
        queued = waiting;
        return false;
      }
      if (isSingle(m)) queue[waiting++] = p;
    }
    dirty |= changed;
    lineDirty |= changed;
    queued = waiting;
    return true;
  }

  bool nakedSingles() {
    while (queued > 0) {
      const int cell = queue[--queued];
      if (value[cell] != 0) continue;
      if (cand[cell] == 0 || !place(cell, lowestDigit(cand[cell]))) return false;
    }
    return true;
  }

  // Takes `digits` from the three cells of a segment (a row or column
  // within a block); false when a cell is left with nothing.
  bool eliminate(const std::uint8_t (&cells)[3], std::uint16_t digits) {
    for (const std::uint8_t cell : cells) {
      std::uint16_t &m = cand[cell];
      if ((m & digits) == 0) continue;
      dirty |= kGeo.unitMask[cell];
      lineDirty |= kGeo.unitMask[cell];
      m = static_cast<std::uint16_t>(m & ~digits);
      if (m == 0) return false;
      if (isSingle(m)) queue[queued++] = cell;
    }
    return true;
  }

  // Locked candidates: a digit that a line can hold only inside one block
  // leaves the rest of that block, and one that a block can hold only
  // inside one line leaves the rest of that line. Fewer branches on hard
  // puzzles; a band of three lines is looked at again only when one of its
  // cells lost a candidate since it was last looked at.
  bool lockedCandidates(bool &changed) {
    static constexpr int kOther[3][2] = {{1, 2}, {0, 2}, {0, 1}};
    for (int kind = 0; kind < 2; ++kind) {
      for (int band = 0; band < 3; ++band) {
        const std::uint32_t bandUnits = 7u << (9 * kind + 3 * band);
        if ((lineDirty & bandUnits) == 0) continue;
        lineDirty &= ~bandUnits;
        const auto &lines = kGeo.segments[kind];
        std::uint16_t seg[3][3];  // [line within the band][block along it]
        for (int i = 0; i < 3; ++i) {
          for (int s = 0; s < 3; ++s) {
            const std::uint8_t *const cells = lines[3 * band + i][s];
            seg[i][s] = static_cast<std::uint16_t>(cand[cells[0]] | cand[cells[1]] | cand[cells[2]]);
          }
        }
        for (int i = 0; i < 3; ++i) {
          for (int s = 0; s < 3; ++s) {
            const std::uint16_t here = seg[i][s];
            if (here == 0) continue;
            const int s1 = kOther[s][0];
            const int s2 = kOther[s][1];
            const int i1 = kOther[i][0];
            const int i2 = kOther[i][1];
            const auto alongLine = static_cast<std::uint16_t>(seg[i][s1] | seg[i][s2]);
            const auto inBlock = static_cast<std::uint16_t>(seg[i1][s] | seg[i2][s]);
            // Only here along the line: out of the block's other lines.
            const auto claiming = static_cast<std::uint16_t>(here & ~alongLine & inBlock);
            if (claiming != 0) {
              changed = true;
              if (!eliminate(lines[3 * band + i1][s], claiming) || !eliminate(lines[3 * band + i2][s], claiming))
                return false;
              seg[i1][s] = static_cast<std::uint16_t>(seg[i1][s] & ~claiming);
              seg[i2][s] = static_cast<std::uint16_t>(seg[i2][s] & ~claiming);
            }
            // Only here within the block: out of the line's other blocks.
            const auto pointing = static_cast<std::uint16_t>(here & ~inBlock & alongLine);
            if (pointing != 0) {
              changed = true;
              if (!eliminate(lines[3 * band + i][s1], pointing) || !eliminate(lines[3 * band + i][s2], pointing))
                return false;
              seg[i][s1] = static_cast<std::uint16_t>(seg[i][s1] & ~pointing);
              seg[i][s2] = static_cast<std::uint16_t>(seg[i][s2] & ~pointing);
            }
          }
        }
      }
    }
    return true;
  }

  // Naked and hidden singles, then locked candidates, until none of them
  // finds anything; false on a contradiction (a cell or a digit of a unit
  // without a place).
  bool propagate() {
    for (;;) {
      if (!singles()) return false;
      bool changed = false;
      if (!lockedCandidates(changed)) return false;
      if (!changed) return true;
    }
  }

  bool singles() {
    if (!nakedSingles()) return false;
    for (;;) {
      bool placed = false;
      while (dirty != 0) {
        const int u = std::countr_zero(dirty);
        dirty &= dirty - 1;
        const std::uint8_t *const unit = kGeo.unitCells[u];
        std::uint16_t once = 0;
        std::uint16_t more = 0;
        for (int k = 0; k < 9; ++k) {
          const std::uint16_t m = cand[unit[k]];
          more = static_cast<std::uint16_t>(more | (once & m));
          once = static_cast<std::uint16_t>(once | m);
        }
        if ((once | placedIn[u]) != kAll) return false;
        auto hidden = static_cast<std::uint16_t>(once & ~more);
        while (hidden != 0) {
          const int digit = lowestDigit(hidden);
          hidden = static_cast<std::uint16_t>(hidden & (hidden - 1));
          for (int k = 0; k < 9; ++k) {
            const int cell = unit[k];
            if ((static_cast<unsigned>(cand[cell]) >> digit) & 1u) {
              if (!place(cell, digit)) return false;
              break;
            }
          }
          placed = true;
        }
        if (placed && !nakedSingles()) return false;
      }
      if (!placed) return true;
    }
  }

  // The empty cell to branch on: the first with the fewest candidates, or
  // with `firstPair` the first with two (no cell has fewer in a search).
  int branchCell(bool firstPair) const {
    int best = -1;
    int fewest = 10;
    for (int i = 0; i < 81; ++i) {
      if (cand[i] == 0) continue;
      const int n = kCounts.count[cand[i]];
      if (n < fewest) {
        fewest = n;
        best = i;
        if (firstPair && n == 2) break;
      }
    }
    return best;
  }

  void copyValues(Grid &out) const {
    for (int i = 0; i < 81; ++i) out[static_cast<std::size_t>(i)] = value[i];
  }
};

// The givens laid in one sweep from the digits of each unit (rather than
// given by given, as the check does). False on a clash or an empty cell
// left with nothing.
bool layAtOnce(Position &pos, const Grid &givens);

}  // namespace numplace::exact
