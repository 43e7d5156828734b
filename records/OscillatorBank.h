// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <vector>

// Oscillators are stored in chunks of this many, one array per constant within a chunk, so
// that a loop over a chunk vectorises and addresses every array from one base. Eight fill one
// AVX-512 register or two of AVX2.
inline constexpr std::size_t kOscillatorChunk = 8;

// The constants of kOscillatorChunk oscillators for one time step. The state of an oscillator is
// its scaled displacement x = omega * u and its velocity v (u relative to the ground); one step
// of ground acceleration changing linearly from a0 to a1 moves it exactly:
//   x1 = xx * x0 + xv * v0 + xa0 * a0 + xa1 * a1
//   v1 = vx * x0 + vv * v0 + va0 * a0 + va1 * a1
// Unused places of the last chunk hold zeros: they stay at rest.
struct alignas(64) OscillatorChunk {
  double xx[kOscillatorChunk], xv[kOscillatorChunk], xa0[kOscillatorChunk], xa1[kOscillatorChunk];
  double vx[kOscillatorChunk], vv[kOscillatorChunk], va0[kOscillatorChunk], va1[kOscillatorChunk];
  double omega[kOscillatorChunk];         // circular frequency
  double twoZetaOmega[kOscillatorChunk];  // 2 * damping * omega
  // omega * step where the step is shorter than half a damped period, else 0 (see fast).
  double crestReach[kOscillatorChunk];
};

// A set of damped linear oscillators at one damping ratio and one time step, with constants
// computed once, in double-double precision, from the closed-form solution: the same bits on
// every processor.
class OscillatorBank {
 public:
  // periods in s, each positive; damping ratio 0 <= damping < 1; step in s, positive.
  OscillatorBank(std::span<const double> periods, double damping, double step);

  std::size_t size() const { return size_; }
  double omega(std::size_t i) const { return chunks[i / kOscillatorChunk].omega[Place(i)]; }
  static std::size_t Place(std::size_t i) { return i % kOscillatorChunk; }
  const OscillatorChunk& ChunkOf(std::size_t i) const { return chunks[i / kOscillatorChunk]; }

  double damping;
  double step;
  std::vector<OscillatorChunk> chunks;
  // The oscillators whose step is half a damped period or longer.
  std::vector<std::size_t> fast;

 private:
  std::size_t size_;
};
