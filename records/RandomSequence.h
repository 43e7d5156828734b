// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// A seeded stream of pseudo-random numbers defined by integer arithmetic alone (xoshiro256**,
// its state filled by splitmix64), so that one seed gives the same numbers with every compiler,
// library and processor.
class RandomSequence {
 public:
  explicit RandomSequence(std::uint64_t seed);

  std::uint64_t Next();
  // Uniform in [0, 1), from the top 53 bits of Next.
  double Uniform();

 private:
  std::uint64_t state_[4];
};
