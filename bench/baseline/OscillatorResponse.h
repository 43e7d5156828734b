// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "bench/baseline/OscillatorBank.h"
#include "bench/baseline/StepCrest.h"

namespace baseline {

// The state and running peaks of one chunk of oscillators (see OscillatorChunk).
struct alignas(64) ResponseChunk {
  double x[kOscillatorChunk];      // omega * u
  double v[kOscillatorChunk];      // velocity
  double peakX[kOscillatorChunk];  // omega * peak |u|
  // Peak |x + 2 damping v|: the peak |absolute acceleration| divided by omega.
  double peakAcceleration[kOscillatorChunk];
};

// Steps of one chunk that the vectorised pass sums up together, so that a crest search needs to
// look only into the blocks that may hold a higher crest.
inline constexpr std::size_t kBlockSteps = 16;

// One block of steps of one chunk: the state at its start, from which a scalar pass remakes its
// steps, and a bound on omega |u| at the crests inside it.
struct alignas(64) StepBlock {
  double x[kOscillatorChunk];
  double v[kOscillatorChunk];
  double upper[kOscillatorChunk];
  std::int64_t mayRise;  // whether an upper bound passes the peak at the block's end
};

// How a chunk bounds the crests of a block from the largest |x| and |v| at its time points and
// the strongest ground acceleration a there: omega |u| <= largest |x| + reach * largest |v| +
// rise * a (the constructor of OscillatorResponse gives the reasons).
struct alignas(64) BlockBound {
  double reach[kOscillatorChunk];
  double rise[kOscillatorChunk];
};

// The response of every oscillator of a bank to one record, advanced step by step from rest,
// with the running peaks. Advancing in pieces gives the same result as in one go, so a caller
// can report progress or stop between pieces.
class OscillatorResponse {
 public:
  // The bank must outlive this object.
  explicit OscillatorResponse(const OscillatorBank& bank);

  // Steps first..last-1 of the record; step k runs from acceleration[k] to acceleration[k + 1].
  // Periods as the inner loop, vectorised; the loop only sums up blocks of steps, and the blocks
  // that may hold a crest above the peak are kept for Settle, which reads their accelerations:
  // the record must stay alive until then.
  void Advance(std::span<const double> acceleration, std::size_t first, std::size_t last);
  // The same recurrence, one oscillator at a time, bounding the crests of each step as it goes:
  // the plain loop the vectorised one is measured and checked against.
  void AdvanceScalar(std::span<const double> acceleration, std::size_t first, std::size_t last);

  // Takes in the first crest of the free vibration after the record ends, which for long periods
  // can be the largest. Call once, after the last step.
  void AddFreeVibration();

  // Locates the crests that may still raise the peaks. Steps only bound their crests as they
  // go; at the end the highest bounds are solved until the peak passes all others, which spares
  // solving the crests that a later one exceeds. Call before reading the peaks.
  void Settle();

  // Peak |u| (in the unit of the accelerations times s2) and peak |absolute acceleration|: at
  // the time points and at the crest that gives the peak |u|.
  std::vector<double> PeakDisplacement() const;
  std::vector<double> PeakAcceleration() const;

 private:
  // The states and ground accelerations at both ends of one step of one oscillator.
  struct StepEnds {
    double x0, v0, x1, v1, a0, a1;
  };
  // A block kept by Advance: its start, its ground accelerations (in the record) and the bound
  // on its crests.
  struct KeptBlock {
    double x, v;
    double upper;  // omega times the bound on |u| at its crests
    std::size_t steps;
    const double* acceleration;  // steps + 1 values
  };
  struct PendingCrest {
    CrestStep step;
    double upper;
  };

  // The current state of the chunk that holds oscillator i.
  ResponseChunk& ChunkOf(std::size_t i);
  const ResponseChunk& ChunkOf(std::size_t i) const;
  // One step of oscillator i from x0, v0 under a0, a1, and whether its crests may pass peakX.
  StepEnds Step(std::size_t i, double x0, double v0, double a0, double a1) const;
  bool MayRise(std::size_t i, const StepEnds& ends, double peakX) const;
  // Keeps the blocks of chunk c just made, from blocks[0] on, whose crests may pass the chunk's
  // peaks; their accelerations start at acceleration[0].
  void KeepBlocks(std::size_t c, const StepBlock* blocks, const double* acceleration,
                  std::size_t steps);
  // Remakes the steps of a kept block of oscillator i and bounds their crests.
  void Remake(std::size_t i, const KeptBlock& block);
  // Bounds the crests of oscillator i inside the step (see ConsiderCrest).
  void BoundCrest(std::size_t i, const StepEnds& ends);
  // Keeps the step for Settle when its crests may raise the peak.
  void ConsiderCrest(std::size_t i, const CrestStep& step);

  const OscillatorBank& bank_;
  std::vector<StepCrest> crests_;
  std::vector<ResponseChunk> chunks_;
  std::vector<BlockBound> blockBounds_;  // per chunk
  std::vector<double> strongest_;        // per block of one call of Advance: max |acceleration|
  std::vector<StepBlock> blocks_;        // of a few chunks in one call of Advance
  std::vector<std::vector<KeptBlock>> kept_;        // per oscillator
  std::vector<std::vector<PendingCrest>> pending_;  // per oscillator
};

}  // namespace baseline
