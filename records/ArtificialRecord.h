// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "model/DesignSpectrum.h"
#include "records/GroundMotion.h"
#include "records/IntensityEnvelope.h"
#include "records/RecordWriter.h"

struct ArtificialOptions {
  double targetPga = 0;  // g, positive
  double step = 0.01;    // s
  double duration = 30;  // s, from the first to the last value
  IntensityEnvelope envelope = IntensityEnvelope::ForDuration(30);
  // The periods fitted: those of the fine grid 0.01, 0.02, ... between these, both included.
  double bandStart = 0.05;  // s
  double bandEnd = 6;       // s, at most 6
  double tolerance = 0.05;  // largest |PSA / Sa - 1| allowed, as a fraction
  std::uint64_t seed = 1;
  int iterationLimit = 100;  // rounds of time-domain corrections, over all attempts
};

struct ArtificialResult {
  // Empty when the tolerance was not reached: such a record is never handed out.
  GroundMotion motion;
  bool reached = false;
  int iterations = 0;  // rounds of corrections the fit took
  // Where |PSA / Sa - 1| is largest, in s, and PSA / Sa - 1 there; when the tolerance was not
  // reached, those of the round that came closest.
  double worstPeriod = 0;
  double worstDeviation = 0;
  double peakVelocity = 0;      // m/s
  double endVelocity = 0;       // m/s, after the last value
  double peakDisplacement = 0;  // m
  double endDisplacement = 0;   // m
};

// Called after each round with the fraction of the iteration limit used; returning false stops
// the fit.
using ArtificialProgress = std::function<bool(double fractionDone)>;

// Throws std::invalid_argument with the user's message for options the generator refuses: a
// target, step, duration, envelope or tolerance that is not positive, a band outside
// 0 < start < end <= 6 s or a record of more than a million values.
void CheckArtificialInputs(const DesignSpectrum& design, const ArtificialOptions& options);

// An artificial ground acceleration whose pseudo-spectral acceleration (exact continuous peaks,
// the design spectrum's damping) lies within the tolerance of the design Sa at every period of
// the band, with the target peak ground acceleration exactly, starting and ending at zero and
// brought to rest (velocity and displacement after the last value back to zero).
//
// A random-phase series from the target's power spectrum, shaped by the envelope, is fitted by
// its Fourier amplitudes first; then rounds of time-domain wavelet corrections at the periods
// that miss, a few per cent apart, solved by damped least squares against the responses at
// every band period 1.5 % apart and the record's largest values, each round followed by the
// baseline correction and the scaling to the target, until the whole band fits or the iteration
// limit is reached. A spectrum that the scaling holds low almost everywhere has its largest
// values shaved first. Corrections that have not settled after a set number of rounds start
// afresh from other phases derived from the seed. Only the first stage uses FFTW, whose algorithms
// differ between processors in their last bits; its result is rounded to a grid of 2^-21 of the
// target, and the corrections see the exact spectra on a grid of 2^-20 of the design value, so that
// the rest, in plain arithmetic, gives the same values on every machine. No value when progress
// asked to stop. Touches nothing but its arguments.
std::optional<ArtificialResult> GenerateArtificial(const DesignSpectrum& design,
                                                   const ArtificialOptions& options,
                                                   const ArtificialProgress& progress = {});

// Velocity and displacement of the ground integrated from the record, acceleration linear
// between the values, in m/s and m.
struct GroundTravel {
  double peakVelocity = 0;
  double endVelocity = 0;
  double peakDisplacement = 0;
  double endDisplacement = 0;
};
GroundTravel IntegrateGround(const GroundMotion& motion);

// What a written artificial record says about itself: the program and the seed in the title;
// the design spectrum, the target peak and the fit reached in the detail.
RecordHeader DescribeArtificial(const DesignSpectrum& design, const ArtificialOptions& options,
                                const ArtificialResult& result);
