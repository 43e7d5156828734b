// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/LibrarySpectra.h"

#include "records/ParallelFor.h"
#include "records/RecordScaling.h"
#include "records/ResponseSpectrum.h"

std::optional<std::vector<CandidateSpectrum>> ComputeLibrarySpectra(
    const LibraryRequest& request,
    const std::function<bool(std::size_t done, std::size_t total)>& progress) {
  std::vector<CandidateSpectrum> candidates(request.count);
  SpectrumOptions options;
  options.periods = request.periods;
  options.damping = request.damping;
  const bool completed = ParallelFor(
      request.count, request.threads,
      [&](std::size_t i) {
        const GroundMotion motion = request.read(i);
        CandidateSpectrum& candidate = candidates[i];
        candidate.name = motion.name;
        candidate.real = request.real ? request.real(i) : true;
        candidate.peakAcceleration = PeakAcceleration(motion);
        candidate.scaleFactor = ScaleFactor(motion, request.targetGal);
        candidate.effectiveDuration = EffectiveDuration(motion);
        candidate.psa = Scaled(*ComputeSpectrum(motion, options), candidate.scaleFactor).psa;
      },
      progress ? std::function<bool(std::size_t)>(
                     [&](std::size_t done) { return progress(done, request.count); })
               : std::function<bool(std::size_t)>());
  if (!completed) return std::nullopt;
  return candidates;
}
