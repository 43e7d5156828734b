// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "records/GroundMotion.h"

// What the selection of a record set needs of one candidate record: its PSA at a few periods,
// already scaled, and the facts that may leave it out. The record itself is not kept.
struct CandidateSpectrum {
  std::string name;
  bool real = true;
  double peakAcceleration = 0;  // as read, g
  double scaleFactor = 1;
  double effectiveDuration = 0;  // s
  std::vector<double> psa;       // scaled, g, at the periods asked for
};

struct LibraryRequest {
  std::size_t count = 0;  // candidates
  // Reads candidate i; called once per candidate, on any worker thread at the same time as
  // for others. Throws to report a record that cannot be read.
  std::function<GroundMotion(std::size_t index)> read;
  // Whether candidate i is a recorded motion (true) or an artificial one.
  std::function<bool(std::size_t index)> real;
  std::vector<double> periods;  // s, each above 0
  double damping = 0.05;
  std::optional<double> targetGal;  // the peak ground acceleration to scale to; none: as read
  unsigned threads = 0;             // 0: every core
};

// Reads and computes every candidate once, on worker threads; progress(done, total) is called
// on the calling thread now and then, and returning false cancels (no value then). A candidate
// that cannot be read, scaled or computed ends it all: the exception of the first such
// candidate in order is rethrown.
std::optional<std::vector<CandidateSpectrum>> ComputeLibrarySpectra(
    const LibraryRequest& request,
    const std::function<bool(std::size_t done, std::size_t total)>& progress = {});
