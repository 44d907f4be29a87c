// The generator's random numbers, written out here rather than taken from
// the standard library, whose distributions differ from one library to the
// next: the same seed must make the same puzzles on every machine.
// xoshiro256** seeded through splitmix64, and an unbiased draw below n by
// rejection.
#pragma once

#include <cstdint>

#include "check/check.h"

namespace numplace {

// One step of splitmix64: a well-mixed number from any counter or seed.
constexpr std::uint64_t splitMix64(std::uint64_t &state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

class Random final : public Choices {
 public:
  explicit Random(std::uint64_t seed) {
    for (std::uint64_t &word : s_) word = splitMix64(seed);
  }

  std::uint64_t next() {
    const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 45);
    return result;
  }

  // 0 .. n - 1, each equally likely (n >= 1): numbers from the top of the
  // range that would favour the small remainders are drawn again.
  unsigned below(unsigned n) override {
    const std::uint64_t bound = n;
    const std::uint64_t rejectBelow = (0 - bound) % bound;  // 2^64 mod n
    for (;;) {
      const std::uint64_t x = next();
      if (x >= rejectBelow) return static_cast<unsigned>(x % bound);
    }
  }

 private:
  static constexpr std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  std::uint64_t s_[4]{};
};

}  // namespace numplace
