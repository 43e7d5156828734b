// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "records/OscillatorBank.h"
#include "records/StepCrest.h"

// The state and running peaks of one chunk of oscillators (see OscillatorChunk).
struct alignas(64) ResponseChunk {
  double x[kOscillatorChunk];      // omega * u
  double v[kOscillatorChunk];      // velocity
  double peakX[kOscillatorChunk];  // omega * peak |u|
  // Peak |x + 2 damping v|: the peak |absolute acceleration| divided by omega.
  double peakS[kOscillatorChunk];
};

// Steps of one chunk that the vectorised pass sums up together, so that a crest search needs to
// look only into the blocks that may hold a higher crest.
inline constexpr std::size_t kBlockSteps = 16;

// One block of steps of one chunk: the state at its start, from which a scalar pass remakes its
// steps, and bounds on omega |u| and on |absolute acceleration| / omega at the crests inside it.
struct alignas(64) StepBlock {
  double x[kOscillatorChunk];
  double v[kOscillatorChunk];
  double upperX[kOscillatorChunk];
  double upperS[kOscillatorChunk];
  std::int64_t mayRise;  // whether an upper bound passes the peak at the block's end
};

// How a chunk bounds the crests of a block from the largest |x|, |v| and |s| = |x + 2 damping v|
// at its time points and the strongest ground acceleration a there:
//   omega |u| <= largest |x| + reach * largest |v| + rise * a,
//   |s| <= self * largest |s| + reachS * (largest |x| + largest |v|) + riseS * a
// (the constructor of OscillatorResponse gives the reasons).
struct alignas(64) BlockBound {
  double reach[kOscillatorChunk];
  double rise[kOscillatorChunk];
  double self[kOscillatorChunk];
  double reachS[kOscillatorChunk];
  double riseS[kOscillatorChunk];
};

// The vector loops: each computes every oscillator with the same operations in the same order,
// so all give the same digits. Plain builds for any processor; the others need x86-64 with
// AVX2 and FMA, and with AVX-512 besides.
enum class VectorPath { Best, Avx512, Avx2, Plain };

// The response of every oscillator of a bank to one record, advanced step by step from rest,
// with the running peaks. Advancing in pieces gives the same result as in one go, so a caller
// can report progress or stop between pieces.
class OscillatorResponse {
 public:
  // The bank must outlive this object.
  explicit OscillatorResponse(const OscillatorBank& bank);

  // Whether this processor runs the path (Best and Plain always).
  static bool Runs(VectorPath path);

  // Steps first..last-1 of the record; step k runs from acceleration[k] to acceleration[k + 1].
  // Periods as the inner loop, vectorised; the loop only sums up blocks of steps, and the blocks
  // that may hold a crest above the peak are kept for Settle, which reads their accelerations:
  // the record must stay alive until then. The path must be one this processor runs.
  void Advance(std::span<const double> acceleration, std::size_t first, std::size_t last,
               VectorPath path = VectorPath::Best);
  // The same recurrence, one oscillator at a time, bounding the crests of each step as it goes:
  // the plain loop the vectorised one is measured and checked against.
  void AdvanceScalar(std::span<const double> acceleration, std::size_t first, std::size_t last);

  // Takes in the first crests of the free vibration after the record ends, which for long
  // periods can be the largest. Call once, after the last step.
  void AddFreeVibration();

  // Locates the crests that may still raise the peaks. Steps only bound their crests as they
  // go; at the end the highest bounds are solved until the peak passes all others, which spares
  // solving the crests that a later one exceeds. Call before reading the peaks.
  void Settle();

  // Peak |u| (in the unit of the accelerations times s2) and peak |absolute acceleration|, each
  // the continuous peak: at the time points and at the crests between them.
  std::vector<double> PeakDisplacement() const;
  std::vector<double> PeakAcceleration() const;

 private:
  // The states and ground accelerations at both ends of one step of one oscillator.
  struct StepEnds {
    double x0, v0, x1, v1, a0, a1;
  };
  // A block kept by Advance: its start, its ground accelerations (in the record) and the bounds
  // on its crests.
  struct KeptBlock {
    double x, v;
    double upperX, upperS;
    std::size_t steps;
    const double* acceleration;  // steps + 1 values
  };
  struct PendingCrest {
    CrestStep step;
    CrestOf of;
    double upper;  // in the scale of the peak it may raise
  };

  // The current state of the chunk that holds oscillator i.
  ResponseChunk& ChunkOf(std::size_t i);
  const ResponseChunk& ChunkOf(std::size_t i) const;
  // One step of oscillator i from x0, v0 under a0, a1.
  StepEnds Step(std::size_t i, double x0, double v0, double a0, double a1) const;
  // Whether the crests of u or of the absolute acceleration inside the step may pass the floor.
  bool MayRise(std::size_t i, const StepEnds& ends, double floorX) const;
  bool MayRiseS(std::size_t i, const StepEnds& ends, double floorS) const;
  // Keeps the blocks of chunk c just made, from blocks[0] on, whose crests may pass the chunk's
  // peaks; their accelerations start at acceleration[0].
  void KeepBlocks(std::size_t c, const StepBlock* blocks, const double* acceleration,
                  std::size_t steps);
  // Remakes the steps of a kept block of oscillator i and bounds their crests: of u and of the
  // absolute acceleration as asked.
  void Remake(std::size_t i, const KeptBlock& block, bool ofX, bool ofS);
  // Bounds the crests of oscillator i inside the step where they may pass the floors, keeping
  // those that may for Settle; of u and of the absolute acceleration as asked.
  void BoundCrests(std::size_t i, const StepEnds& ends, bool ofX, bool ofS);
  void ConsiderCrest(std::size_t i, const CrestStep& step, CrestOf of);
  // Scale from the size StepCrest gives to that of the peaks, and the floor of each.
  double ScaleOf(std::size_t i, CrestOf of) const;
  double& FloorOf(std::size_t i, CrestOf of);

  const OscillatorBank& bank_;
  std::vector<StepCrest> crests_;
  std::vector<ResponseChunk> chunks_;
  std::vector<BlockBound> blockBounds_;  // per chunk
  double curvatureS_;                    // K of the bound on |s''| (see the constructor)
  // Per oscillator: values the response certainly reaches (peaks and lower bounds of crests).
  // They only spare crest searches; the peaks come from the time points and solved crests
  // alone, so every path gives the same peaks whichever crests it happened to bound.
  std::vector<double> floorX_, floorS_;
  std::vector<double> strongest_;  // per block of one call of Advance: max |acceleration|
  std::vector<StepBlock> blocks_;  // of a few chunks in one call of Advance
  std::vector<std::vector<KeptBlock>> kept_;        // per oscillator
  std::vector<std::vector<PendingCrest>> pending_;  // per oscillator
};
