// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RandomSequence.h"

namespace {

std::uint64_t SplitMix(std::uint64_t& x) {
  x += 0x9E3779B97F4A7C15ULL;
  std::uint64_t z = x;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::uint64_t RotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

}  // namespace

RandomSequence::RandomSequence(std::uint64_t seed) {
  for (std::uint64_t& word : state_) word = SplitMix(seed);
}

std::uint64_t RandomSequence::Next() {
  const std::uint64_t result = RotateLeft(state_[1] * 5, 7) * 9;
  const std::uint64_t t = state_[1] << 17;
  state_[2] ^= state_[0];
  state_[3] ^= state_[1];
  state_[1] ^= state_[2];
  state_[0] ^= state_[3];
  state_[2] ^= t;
  state_[3] = RotateLeft(state_[3], 45);
  return result;
}

double RandomSequence::Uniform() { return static_cast<double>(Next() >> 11) * 0x1p-53; }
