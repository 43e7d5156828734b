#pragma once

#include <array>
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
  double peakAcceleration[kOscillatorChunk];
  std::int64_t marks[kOscillatorChunk];  // oscillators whose step may hold a higher crest
};

// The response of every oscillator of a bank to one record, advanced step by step from rest,
// with the running peaks. Advancing in pieces gives the same result as in one go, so a caller
// can report progress or stop between pieces.
class OscillatorResponse {
 public:
  // The bank must outlive this object.
  explicit OscillatorResponse(const OscillatorBank& bank);

  // Steps first..last-1 of the record; step k runs from acceleration[k] to acceleration[k + 1].
  // Periods as the inner loop, vectorised.
  void Advance(std::span<const double> acceleration, std::size_t first, std::size_t last);
  // The same recurrence, one oscillator at a time: the plain loop the vectorised one is measured
  // and checked against.
  void AdvanceScalar(std::span<const double> acceleration, std::size_t first, std::size_t last);

  // Takes in the first crest of the free vibration after the record ends, which for long periods
  // can be the largest. Call once, after the last step.
  void AddFreeVibration();

  // Peak |u| (in the unit of the accelerations times s2) and peak |absolute acceleration|: at
  // the time points and at every velocity zero that could exceed the running peak.
  std::vector<double> PeakDisplacement() const;
  std::vector<double> PeakAcceleration() const;

 private:
  // The current state of the chunk that holds oscillator i.
  ResponseChunk& ChunkOf(std::size_t i);
  const ResponseChunk& ChunkOf(std::size_t i) const;
  // The states and ground accelerations at both ends of one step of one oscillator.
  struct StepEnds {
    double x0, v0, x1, v1, a0, a1;
  };
  // Takes in the crests of oscillator i inside the step.
  void SolveCrest(std::size_t i, const StepEnds& ends);
  // Takes in a crest of |u| = crest.
  void RaisePeak(std::size_t i, double crest);

  const OscillatorBank& bank_;
  std::vector<StepCrest> crests_;
  // Two buffers per chunk: the state now and one step back; current_ tells which is now.
  std::vector<std::array<ResponseChunk, 2>> chunks_;
  std::vector<int> current_;
  std::vector<std::size_t> fastChunks_;  // chunks holding fast oscillators
};
