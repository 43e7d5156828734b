#include "records/OscillatorResponse.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// One step of one chunk of oscillators from state s into next, updating the peaks at the new
// time point. Marks the oscillators whose velocity may pass zero inside the step at a
// displacement above the running peak, and returns whether any is marked.
// Where the step is shorter than half a damped period, the acceleration has at most one zero
// inside it, so the velocity is monotone from the start to a zero of its own or from such a zero
// to the end. Hence it passes zero inside only if it changes sign over the step or heads for
// zero at the start and away from it at the end; and a crest u* inside the step lies within
// |v| * step of an end: omega |u*| <= max(|x0|, |x1|) + omega step max(|v0|, |v1|).
// Both must hold for a mark. Oscillators with longer steps have a reach of 0 and are never
// marked here. Bitwise operators keep the loop free of branches, so that it vectorises.
inline std::int64_t StepChunk(const OscillatorChunk* __restrict k,
                              const ResponseChunk* __restrict s, ResponseChunk* __restrict next,
                              double a0, double a1) {
  std::int64_t any = 0;
#pragma GCC unroll 8
  for (std::size_t i = 0; i < kOscillatorChunk; ++i) {
    const double x0 = s->x[i];
    const double v0 = s->v[i];
    const double x1 = k->xx[i] * x0 + k->xv[i] * v0 + k->xa0[i] * a0 + k->xa1[i] * a1;
    const double v1 = k->vx[i] * x0 + k->vv[i] * v0 + k->va0[i] * a0 + k->va1[i] * a1;
    next->x[i] = x1;
    next->v[i] = v1;
    const double size = std::fabs(x1);
    const double px = size > s->peakX[i] ? size : s->peakX[i];
    next->peakX[i] = px;
    // The absolute acceleration is -(c v + omega x); the relative one subtracts the ground's.
    const double restoring1 = k->twoZetaOmega[i] * v1 + k->omega[i] * x1;
    const double absolute = std::fabs(restoring1);
    next->peakAcceleration[i] =
        absolute > s->peakAcceleration[i] ? absolute : s->peakAcceleration[i];
    // Minus the relative acceleration at both ends; only its sign against v matters.
    const double pull0 = a0 + k->twoZetaOmega[i] * v0 + k->omega[i] * x0;
    const double pull1 = a1 + restoring1;
    const std::int64_t turns = (v0 * v1 <= 0) | ((v0 * pull0 > 0) & (v1 * pull1 < 0));
    const double speed0 = std::fabs(v0);
    const double speed1 = std::fabs(v1);
    const double size0 = std::fabs(x0);
    const double far =
        (size0 > size ? size0 : size) + k->crestReach[i] * (speed0 > speed1 ? speed0 : speed1);
    const std::int64_t mark = turns & (far > px);
    next->marks[i] = mark;
    any |= mark;
  }
  return any;
}

// Steps first, first + 1, ... of one chunk, its state alternating between two buffers
// (current tells which holds it), until a step marks an oscillator or last is reached; returns
// the step after the last one made. Keeping to one chunk keeps its constants and state in the
// first-level cache for the whole record.
__attribute__((target_clones("arch=x86-64-v3", "default"))) std::size_t RunChunk(
    const OscillatorChunk* __restrict k, ResponseChunk* __restrict buffers, int& current,
    const double* __restrict acceleration, std::size_t first, std::size_t last) {
  for (std::size_t step = first; step < last; ++step) {
    const ResponseChunk* from = buffers + current;
    ResponseChunk* to = buffers + (1 - current);
    current = 1 - current;
    if (StepChunk(k, from, to, acceleration[step], acceleration[step + 1]) != 0) return step + 1;
  }
  return last;
}

// For oscillators with steps of half a damped period or more: with W = sqrt(x^2 + v^2),
// dW/dt <= |ground acceleration|, so inside the step omega |u| <= W0 + step * max(|a0|, |a1|).
bool EnergyReaches(double peakX, double x0, double v0, double rise) {
  const double room = peakX - rise;
  return room < 0 || room * room < x0 * x0 + v0 * v0;
}

}  // namespace

OscillatorResponse::OscillatorResponse(const OscillatorBank& bank)
    : bank_(bank), chunks_(bank.chunks.size()), current_(bank.chunks.size()) {
  crests_.reserve(bank.size());
  for (std::size_t i = 0; i < bank.size(); ++i) crests_.emplace_back(bank.omega(i), bank.damping);
  for (const std::size_t i : bank.fast) {
    const std::size_t c = i / kOscillatorChunk;
    if (fastChunks_.empty() || fastChunks_.back() != c) fastChunks_.push_back(c);
  }
}

ResponseChunk& OscillatorResponse::ChunkOf(std::size_t i) {
  const std::size_t c = i / kOscillatorChunk;
  return chunks_[c][current_[c]];
}

const ResponseChunk& OscillatorResponse::ChunkOf(std::size_t i) const {
  const std::size_t c = i / kOscillatorChunk;
  return chunks_[c][current_[c]];
}

void OscillatorResponse::SolveCrest(std::size_t i, const StepEnds& ends) {
  const double w = bank_.omega(i);
  const double peakU = ChunkOf(i).peakX[OscillatorBank::Place(i)] / w;
  RaisePeak(i, crests_[i].Largest(ends.x0 / w, ends.v0, ends.x1 / w, ends.v1, ends.a0, ends.a1,
                                  bank_.step, peakU));
}

void OscillatorResponse::RaisePeak(std::size_t i, double crest) {
  const double w = bank_.omega(i);
  ResponseChunk& chunk = ChunkOf(i);
  const std::size_t j = OscillatorBank::Place(i);
  if (w * crest > chunk.peakX[j]) {
    chunk.peakX[j] = w * crest;
    // At a crest the velocity is zero and the absolute acceleration is -omega^2 u.
    chunk.peakAcceleration[j] = std::max(chunk.peakAcceleration[j], w * w * crest);
  }
}

void OscillatorResponse::Advance(std::span<const double> acceleration, std::size_t first,
                                 std::size_t last) {
  const OscillatorBank& b = bank_;
  for (std::size_t c = 0; c < chunks_.size(); ++c) {
    // A chunk with fast oscillators stops after every step for their energy test.
    const bool hasFast = std::find(fastChunks_.begin(), fastChunks_.end(), c) != fastChunks_.end();
    for (std::size_t step = first; step < last;) {
      const std::size_t end = hasFast ? step + 1 : last;
      const std::size_t next =
          RunChunk(&b.chunks[c], chunks_[c].data(), current_[c], acceleration.data(), step, end);
      // The step just made, from the other buffer into the current one.
      const double a0 = acceleration[next - 1];
      const double a1 = acceleration[next];
      const ResponseChunk& before = chunks_[c][1 - current_[c]];
      const ResponseChunk& after = chunks_[c][current_[c]];
      const double rise = b.step * std::max(std::fabs(a0), std::fabs(a1));
      for (std::size_t j = 0; j < kOscillatorChunk; ++j) {
        const std::size_t i = c * kOscillatorChunk + j;
        const bool isFast = i < b.size() && b.ChunkOf(i).crestReach[j] == 0;
        if (after.marks[j] != 0 ||
            (isFast && EnergyReaches(after.peakX[j], before.x[j], before.v[j], rise))) {
          SolveCrest(i, {before.x[j], before.v[j], after.x[j], after.v[j], a0, a1});
        }
      }
      step = next;
    }
  }
}

void OscillatorResponse::AdvanceScalar(std::span<const double> acceleration, std::size_t first,
                                       std::size_t last) {
  for (std::size_t i = 0; i < bank_.size(); ++i) {
    const OscillatorChunk& k = bank_.ChunkOf(i);
    ResponseChunk& r = ChunkOf(i);
    const std::size_t j = OscillatorBank::Place(i);
    const bool isFast = k.crestReach[j] == 0;
    double x = r.x[j];
    double v = r.v[j];
    for (std::size_t n = first; n < last; ++n) {
      const double a0 = acceleration[n];
      const double a1 = acceleration[n + 1];
      const double x1 = k.xx[j] * x + k.xv[j] * v + k.xa0[j] * a0 + k.xa1[j] * a1;
      const double v1 = k.vx[j] * x + k.vv[j] * v + k.va0[j] * a0 + k.va1[j] * a1;
      r.peakX[j] = std::max(r.peakX[j], std::fabs(x1));
      const double restoring1 = k.twoZetaOmega[j] * v1 + k.omega[j] * x1;
      r.peakAcceleration[j] = std::max(r.peakAcceleration[j], std::fabs(restoring1));
      const double acceleration0 = -(a0 + k.twoZetaOmega[j] * v + k.omega[j] * x);
      const double acceleration1 = -(a1 + restoring1);
      const bool mayRise =
          isFast
              ? EnergyReaches(r.peakX[j], x, v, bank_.step * std::max(std::fabs(a0), std::fabs(a1)))
              : (v * v1 <= 0 || (v * acceleration0 < 0 && v1 * acceleration1 > 0)) &&
                    std::max(std::fabs(x) + k.crestReach[j] * std::fabs(v),
                             std::fabs(x1) + k.crestReach[j] * std::fabs(v1)) > r.peakX[j];
      if (mayRise) SolveCrest(i, {x, v, x1, v1, a0, a1});
      x = x1;
      v = v1;
    }
    r.x[j] = x;
    r.v[j] = v;
  }
}

void OscillatorResponse::AddFreeVibration() {
  for (std::size_t i = 0; i < bank_.size(); ++i) {
    const double w = bank_.omega(i);
    const ResponseChunk& r = ChunkOf(i);
    const std::size_t j = OscillatorBank::Place(i);
    // Within one damped period the velocity passes zero at least once; the first crest after
    // the end is the largest of the decaying free vibration.
    const double period = 2 * std::numbers::pi / (w * std::sqrt(1 - bank_.damping * bank_.damping));
    RaisePeak(i, crests_[i].LargestAfter(r.x[j] / w, r.v[j], period, r.peakX[j] / w));
  }
}

std::vector<double> OscillatorResponse::PeakDisplacement() const {
  std::vector<double> peaks(bank_.size());
  for (std::size_t i = 0; i < peaks.size(); ++i) {
    peaks[i] = ChunkOf(i).peakX[OscillatorBank::Place(i)] / bank_.omega(i);
  }
  return peaks;
}

std::vector<double> OscillatorResponse::PeakAcceleration() const {
  std::vector<double> peaks(bank_.size());
  for (std::size_t i = 0; i < peaks.size(); ++i) {
    peaks[i] = ChunkOf(i).peakAcceleration[OscillatorBank::Place(i)];
  }
  return peaks;
}
