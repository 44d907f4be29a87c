// What the naked pairs and the naked triples share: which candidate codes
// can join a group, the plain codes and their bits, each unit's cells that
// can join a group with their codes, and the marking of a group's cells.
// Only naked_pairs.cpp and naked_triples.cpp include it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "techniques/units.h"

namespace numplace::groups {

using namespace units;

inline constexpr std::uint32_t kAllUnits = (1u << 27) - 1;

// Candidate codes of two cells lie in 10..100, of three cells in 100..1000
// (both bounds as the counts test them; the codes that occur are 12..89 and 123..789).
inline bool isTwoCandidateCode(int x) { return x >= 10 && x <= 100; }
inline bool isThreeCandidateCode(int x) { return x >= 100 && x <= 1000; }
inline bool mayJoinGroup(int x) { return x >= 10 && x <= 1000; }

// Each cell's place in its block's scan order, 0..8.
struct BlockPlaces {
  int of[10][10]{};
  constexpr BlockPlaces() {
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) of[r][c] = 3 * ((r - 1) % 3) + (c - 1) % 3;
    }
  }
};
inline constexpr BlockPlaces kBlockPlaces;
inline constexpr const int (&kPlaceInBlock)[10][10] = kBlockPlaces.of;

// Codes written with two or three digits rising from 1 to 9, as candidate
// codes are; each two-digit one with its own bit.
struct PlainCodes {
  int pairBit[1001]{};                  // 1..36 for a plain two-digit code, else 0
  bool triple[1001]{};                  // a plain three-digit code
  std::uint8_t subPairBits[1001][3]{};  // the bits of its sub-pairs ab, ac, bc
  int tripleBit[1001]{};                // 0..83 for a plain three-digit code
  constexpr PlainCodes() {
    int n = 0;
    for (int a = 1; a <= 9; ++a) {
      for (int b = a + 1; b <= 9; ++b) pairBit[10 * a + b] = ++n;
    }
    int k = 0;
    for (int a = 1; a <= 9; ++a) {
      for (int b = a + 1; b <= 9; ++b) {
        for (int c = b + 1; c <= 9; ++c) {
          const int t = 100 * a + 10 * b + c;
          triple[t] = true;
          tripleBit[t] = k++;
          subPairBits[t][0] = static_cast<std::uint8_t>(pairBit[10 * a + b]);
          subPairBits[t][1] = static_cast<std::uint8_t>(pairBit[10 * a + c]);
          subPairBits[t][2] = static_cast<std::uint8_t>(pairBit[10 * b + c]);
        }
      }
    }
  }
};
inline constexpr PlainCodes kPlain;

// The cells of each unit whose code can take part in a pair or triple, in
// the unit's scan order, with their codes. Every count and mark of a unit
// looks only at these: a code outside 10..1000 equals no pair or triple code.
// The codes do not change while the groups are found (marks and lists are
// read by the next candidate pass only).
class GroupCells {
 public:
  // One look at each cell, row-major: that is also the scan order of each
  // row, column and block.
  // cppcheck-suppress uninitMemberVar ; only the first n entries of a unit are ever written or read
  // Only the units of `wanted` (bit k for unit k) are gathered.
  explicit GroupCells(const Tables &t, std::uint32_t wanted = kAllUnits) {
    for (int r = 1; r <= 9; ++r) {
      for (int c = 1; c <= 9; ++c) {
        const int x = t.CandidateCode[r][c];
        if (!mayJoinGroup(x)) continue;
        for (const auto &[unit, index] : {std::pair{kFirstRow + r - 1, c - 1}, std::pair{kFirstColumn + c - 1, r - 1},
                                          std::pair{kFirstBlock + kBlocks.of[r][c] - 1, kPlaceInBlock[r][c]}}) {
          if ((wanted >> unit & 1u) != 0) add(unit, index, x);
        }
      }
    }
  }
  // Only the first n entries are written and read.
  struct Unit {
    int n = 0;
    bool plain = true;             // every code plain
    std::uint64_t pairs = 0;       // the plain two-digit codes present, by bit
    std::uint64_t pairsTwice = 0;  // those present more than once
    std::uint64_t triples[2]{};    // the plain three-digit codes present, by bit
    std::uint64_t triplesTwice[2]{};
    int index[9];  // position in the unit's scan order
    int code[9];
  };
  const Unit &of(int unit) const { return units_[unit]; }

 private:
  void add(int unit, int index, int code) {
    Unit &g = units_[unit];
    g.index[g.n] = index;
    g.code[g.n] = code;
    ++g.n;
    const int pair = kPlain.pairBit[code];
    if (pair != 0) {
      const std::uint64_t b = std::uint64_t{1} << pair;
      g.pairsTwice |= g.pairs & b;
      g.pairs |= b;
    } else if (kPlain.triple[code]) {
      const int k = kPlain.tripleBit[code];
      const std::uint64_t b = std::uint64_t{1} << (k & 63);
      g.triplesTwice[k >> 6] |= g.triples[k >> 6] & b;
      g.triples[k >> 6] |= b;
    } else {
      g.plain = false;
    }
  }
  Unit units_[27];
};

inline int unitIndex(UnitKind kind, int number) {
  return (kind == UnitKind::Row ? kFirstRow : kind == UnitKind::Column ? kFirstColumn : kFirstBlock) + number - 1;
}

// The three sub-pairs of a triple code t = abc: ab, ac, bc.
struct SubPairs {
  int p1, p2, p3;
};
inline SubPairs subPairs(int t) { return {t / 10, t + 10 * (t / 100) - 10 * (t / 10), t - 100 * (t / 100)}; }

// Marks every cell of the unit whose code is one of `codes`.
inline void markCells(const UnitList &list, const GroupCells::Unit &g, const UnitCells &u,
                      std::initializer_list<int> codes) {
  for (int i = 0; i < g.n; ++i) {
    if (std::find(codes.begin(), codes.end(), g.code[i]) != codes.end()) {
      list.mark(u.row[g.index[i]], u.column[g.index[i]], groupMark(list.kind));
    }
  }
}

}  // namespace numplace::groups
