// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/baseline/OscillatorResponse.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace baseline {

namespace {

// kWidth doubles side by side, and their bits.
template <std::size_t kWidth>
struct Vector;
template <>
struct Vector<4> {
  typedef double Lanes __attribute__((vector_size(32)));
  typedef std::int64_t Bits __attribute__((vector_size(32)));
};
template <>
struct Vector<8> {
  typedef double Lanes __attribute__((vector_size(64)));
  typedef std::int64_t Bits __attribute__((vector_size(64)));
};

// Steps 0..steps-1 of kChunks consecutive chunks of oscillators, acceleration[n] to
// acceleration[n + 1] being step n, summed up in blocks of kBlockSteps steps: those of chunk g
// from blocks[g * blockCount] on; strongest[b] is the largest |acceleration| at the time points
// of block b. kWidth oscillators side by side in one vector register. The loop does no more than
// the recurrence and running maxima, free of branches and with the state in registers; keeping
// to a few chunks keeps their constants in the first-level cache for the whole record. The
// ground acceleration enters first, so that a step waits on the one before for only two
// multiply-adds.
template <std::size_t kWidth, std::size_t kChunks>
[[gnu::always_inline]] inline void RunBlocks(const OscillatorChunk* __restrict k,
                                             const BlockBound* __restrict bound,
                                             ResponseChunk* __restrict s,
                                             StepBlock* __restrict blocks, std::size_t blockCount,
                                             const double* __restrict acceleration,
                                             const double* __restrict strongest, std::size_t steps,
                                             double twoDamping) {
  using Lanes = typename Vector<kWidth>::Lanes;
  using LaneBits = typename Vector<kWidth>::Bits;
  constexpr std::size_t kPerChunk = kOscillatorChunk / kWidth;
  static_assert(kPerChunk * kWidth == kOscillatorChunk);
  constexpr std::size_t kVectors = kChunks * kPerChunk;
  // Vector q holds places (q % kPerChunk) * kWidth on of chunk q / kPerChunk.
  // By reference: vector values passed to a function not compiled for the wider registers would
  // change the calling convention.
  const auto load = [](Lanes& to, const double* from) { __builtin_memcpy(&to, from, sizeof to); };
  const auto store = [](double* to, const Lanes& from) {
    __builtin_memcpy(to, &from, sizeof from);
  };
  const auto chunkOf = [](std::size_t q) { return q / kPerChunk; };
  const auto placeOf = [](std::size_t q) { return q % kPerChunk * kWidth; };
  const LaneBits magnitude = LaneBits{} + 0x7fffffffffffffff;  // clears the sign bit
  const auto size = [&](Lanes& to, const Lanes& value) {
    to = reinterpret_cast<Lanes>(reinterpret_cast<LaneBits>(value) & magnitude);
  };
  Lanes xx[kVectors], xv[kVectors], xa0[kVectors], xa1[kVectors];
  Lanes vx[kVectors], vv[kVectors], va0[kVectors], va1[kVectors];
  Lanes x[kVectors], v[kVectors], peakAcceleration[kVectors];
  for (std::size_t q = 0; q < kVectors; ++q) {
    const OscillatorChunk& c = k[chunkOf(q)];
    const std::size_t p = placeOf(q);
    load(xx[q], c.xx + p);
    load(xv[q], c.xv + p);
    load(xa0[q], c.xa0 + p);
    load(xa1[q], c.xa1 + p);
    load(vx[q], c.vx + p);
    load(vv[q], c.vv + p);
    load(va0[q], c.va0 + p);
    load(va1[q], c.va1 + p);
    load(x[q], s[chunkOf(q)].x + p);
    load(v[q], s[chunkOf(q)].v + p);
    load(peakAcceleration[q], s[chunkOf(q)].peakAcceleration + p);
  }
  for (std::size_t first = 0, b = 0; first < steps; first += kBlockSteps, ++b) {
    const std::size_t last = std::min(steps, first + kBlockSteps);
    Lanes largestX[kVectors];
    Lanes largestV[kVectors];
    for (std::size_t q = 0; q < kVectors; ++q) {
      StepBlock& block = blocks[chunkOf(q) * blockCount + b];
      store(block.x + placeOf(q), x[q]);
      store(block.v + placeOf(q), v[q]);
      size(largestX[q], x[q]);
      size(largestV[q], v[q]);
    }
    for (std::size_t n = first; n < last; ++n) {
      const double a0 = acceleration[n];
      const double a1 = acceleration[n + 1];
      for (std::size_t q = 0; q < kVectors; ++q) {
        const Lanes x1 = xa1[q] * a1 + xa0[q] * a0 + xv[q] * v[q] + xx[q] * x[q];
        const Lanes v1 = va1[q] * a1 + va0[q] * a0 + vx[q] * x[q] + vv[q] * v[q];
        x[q] = x1;
        v[q] = v1;
        Lanes sizeX, sizeV, sway;
        size(sizeX, x1);
        size(sizeV, v1);
        size(sway, x1 + twoDamping * v1);
        largestX[q] = largestX[q] > sizeX ? largestX[q] : sizeX;
        largestV[q] = largestV[q] > sizeV ? largestV[q] : sizeV;
        peakAcceleration[q] = peakAcceleration[q] > sway ? peakAcceleration[q] : sway;
      }
    }
    LaneBits mayRise[kChunks] = {};
    for (std::size_t q = 0; q < kVectors; ++q) {
      const std::size_t p = placeOf(q);
      double* peakX = s[chunkOf(q)].peakX + p;
      Lanes before, reach, rise;
      load(before, peakX);
      load(reach, bound[chunkOf(q)].reach + p);
      load(rise, bound[chunkOf(q)].rise + p);
      const Lanes peak = before > largestX[q] ? before : largestX[q];
      const Lanes upper = largestX[q] + reach * largestV[q] + rise * strongest[b];
      store(peakX, peak);
      store(blocks[chunkOf(q) * blockCount + b].upper + p, upper);
      mayRise[chunkOf(q)] |= upper > peak;
    }
    for (std::size_t g = 0; g < kChunks; ++g) {
      std::int64_t any = 0;
      for (std::size_t lane = 0; lane < kWidth; ++lane) any |= mayRise[g][lane];
      blocks[g * blockCount + b].mayRise = any;
    }
  }
  for (std::size_t q = 0; q < kVectors; ++q) {
    store(s[chunkOf(q)].x + placeOf(q), x[q]);
    store(s[chunkOf(q)].v + placeOf(q), v[q]);
    store(s[chunkOf(q)].peakAcceleration + placeOf(q), peakAcceleration[q]);
  }
}

// The steps of chunks 0..count-1, count at most kChunksAtOnce, with the blocks of chunk g from
// blocks[g * blockCount] on. With AVX-512 (wide), two chunks at once in eight-wide registers;
// otherwise one chunk in four-wide ones, as the sixteen registers of AVX2 hold no more. Compiled
// for AVX-512 and for AVX2 with FMA besides the baseline, the processor picking at run time, so
// the program still runs on any x86-64; wide is true exactly where the AVX-512 version runs.
constexpr std::size_t kChunksAtOnce = 2;

__attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default"))) void RunChunks(
    const OscillatorChunk* k, const BlockBound* bound, ResponseChunk* s, StepBlock* blocks,
    std::size_t blockCount, const double* acceleration, const double* strongest, std::size_t steps,
    double twoDamping, std::size_t count, bool wide) {
  if (wide && count == 2) {
    RunBlocks<8, 2>(k, bound, s, blocks, blockCount, acceleration, strongest, steps, twoDamping);
  } else if (wide) {
    RunBlocks<8, 1>(k, bound, s, blocks, blockCount, acceleration, strongest, steps, twoDamping);
  } else {
    for (std::size_t g = 0; g < count; ++g) {
      RunBlocks<4, 1>(k + g, bound + g, s + g, blocks + g * blockCount, blockCount, acceleration,
                      strongest, steps, twoDamping);
    }
  }
}

// Whether the processor has everything the AVX-512 version above is compiled for.
bool HasAvx512() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
         __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512dq") &&
         __builtin_cpu_supports("avx512cd") && __builtin_cpu_supports("avx2") &&
         __builtin_cpu_supports("fma");
}

// For oscillators with steps of half a damped period or more: with W = sqrt(x^2 + v^2),
// dW/dt <= |ground acceleration|, so inside the step omega |u| <= W0 + step * max(|a0|, |a1|).
bool EnergyReaches(double peakX, double x0, double v0, double rise) {
  const double room = peakX - rise;
  return room < 0 || room * room < x0 * x0 + v0 * v0;
}

}  // namespace

OscillatorResponse::OscillatorResponse(const OscillatorBank& bank)
    : bank_(bank),
      chunks_(bank.chunks.size()),
      blockBounds_(bank.chunks.size()),
      kept_(bank.size()),
      pending_(bank.size()) {
  crests_.reserve(bank.size());
  for (std::size_t i = 0; i < bank.size(); ++i) {
    crests_.emplace_back(bank.omega(i), bank.damping);
    // A crest inside a block lies, by the argument of MayRise, within reach * largest |v| of
    // the largest |x|. For fast oscillators the energy bound of EnergyReaches holds, with
    // sqrt(x^2 + v^2) <= |x| + |v|. Unused places stay at 0.
    const double reach = bank.ChunkOf(i).crestReach[OscillatorBank::Place(i)];
    BlockBound& bound = blockBounds_[i / kOscillatorChunk];
    bound.reach[OscillatorBank::Place(i)] = reach != 0 ? reach : 1;
    bound.rise[OscillatorBank::Place(i)] = reach != 0 ? 0 : bank.step;
  }
}

ResponseChunk& OscillatorResponse::ChunkOf(std::size_t i) { return chunks_[i / kOscillatorChunk]; }

const ResponseChunk& OscillatorResponse::ChunkOf(std::size_t i) const {
  return chunks_[i / kOscillatorChunk];
}

OscillatorResponse::StepEnds OscillatorResponse::Step(std::size_t i, double x0, double v0,
                                                      double a0, double a1) const {
  const OscillatorChunk& k = bank_.ChunkOf(i);
  const std::size_t j = OscillatorBank::Place(i);
  return {x0,
          v0,
          k.xa1[j] * a1 + k.xa0[j] * a0 + k.xv[j] * v0 + k.xx[j] * x0,
          k.va1[j] * a1 + k.va0[j] * a0 + k.vx[j] * x0 + k.vv[j] * v0,
          a0,
          a1};
}

// Where the step is shorter than half a damped period, the acceleration has at most one zero
// inside it, so the velocity is monotone from the start to a zero of its own or from such a zero
// to the end. Hence it passes zero inside only if it changes sign over the step or heads for
// zero at the start and away from it at the end; and a crest u* inside the step lies within
// |v| * step of an end: omega |u*| <= max(|x0|, |x1|) + omega step max(|v0|, |v1|).
bool OscillatorResponse::MayRise(std::size_t i, const StepEnds& e, double peakX) const {
  const OscillatorChunk& k = bank_.ChunkOf(i);
  const std::size_t j = OscillatorBank::Place(i);
  if (k.crestReach[j] == 0) {
    return EnergyReaches(peakX, e.x0, e.v0,
                         bank_.step * std::max(std::fabs(e.a0), std::fabs(e.a1)));
  }
  // Minus the relative acceleration at both ends; only its sign against v matters.
  const double pull0 = e.a0 + k.twoZetaOmega[j] * e.v0 + k.omega[j] * e.x0;
  const double pull1 = e.a1 + k.twoZetaOmega[j] * e.v1 + k.omega[j] * e.x1;
  const bool turns = e.v0 * e.v1 <= 0 || (e.v0 * pull0 > 0 && e.v1 * pull1 < 0);
  return turns && std::max(std::fabs(e.x0), std::fabs(e.x1)) +
                          k.crestReach[j] * std::max(std::fabs(e.v0), std::fabs(e.v1)) >
                      peakX;
}

void OscillatorResponse::BoundCrest(std::size_t i, const StepEnds& ends) {
  const double w = bank_.omega(i);
  ConsiderCrest(i, {ends.x0 / w, ends.v0, ends.x1 / w, ends.v1, ends.a0, ends.a1, bank_.step});
}

void OscillatorResponse::ConsiderCrest(std::size_t i, const CrestStep& step) {
  const double w = bank_.omega(i);
  double& peakX = ChunkOf(i).peakX[OscillatorBank::Place(i)];
  const CrestBound bound = crests_[i].Bound(step);
  if (bound.upper <= peakX / w) return;
  // The response reaches the lower bound, which may spare later steps a mark.
  peakX = std::max(peakX, w * bound.lower);
  pending_[i].push_back({step, bound.upper});
}

void OscillatorResponse::KeepBlocks(std::size_t c, const StepBlock* blocks,
                                    const double* acceleration, std::size_t steps) {
  const ResponseChunk& s = chunks_[c];
  const std::size_t used = std::min(kOscillatorChunk, bank_.size() - c * kOscillatorChunk);
  for (std::size_t first = 0, b = 0; first < steps; first += kBlockSteps, ++b) {
    const StepBlock& block = blocks[b];
    if (block.mayRise == 0) continue;
    const std::size_t count = std::min(kBlockSteps, steps - first);
    for (std::size_t j = 0; j < used; ++j) {
      if (!(block.upper[j] > s.peakX[j])) continue;
      kept_[c * kOscillatorChunk + j].push_back(
          {block.x[j], block.v[j], block.upper[j], count, acceleration + first});
    }
  }
}

void OscillatorResponse::Remake(std::size_t i, const KeptBlock& block) {
  const double& peakX = ChunkOf(i).peakX[OscillatorBank::Place(i)];
  double x = block.x;
  double v = block.v;
  for (std::size_t n = 0; n < block.steps; ++n) {
    const StepEnds ends = Step(i, x, v, block.acceleration[n], block.acceleration[n + 1]);
    if (MayRise(i, ends, peakX)) BoundCrest(i, ends);
    x = ends.x1;
    v = ends.v1;
  }
}

void OscillatorResponse::Settle() {
  for (std::size_t i = 0; i < bank_.size(); ++i) {
    const double w = bank_.omega(i);
    ResponseChunk& chunk = ChunkOf(i);
    const std::size_t j = OscillatorBank::Place(i);
    // Blocks first, highest bound first: the lower bounds of their crests may spare the rest.
    std::vector<KeptBlock>& kept = kept_[i];
    std::sort(kept.begin(), kept.end(),
              [](const KeptBlock& p, const KeptBlock& q) { return p.upper > q.upper; });
    for (const KeptBlock& block : kept) {
      if (block.upper <= chunk.peakX[j]) break;
      Remake(i, block);
    }
    kept.clear();
    std::vector<PendingCrest>& pending = pending_[i];
    std::sort(pending.begin(), pending.end(),
              [](const PendingCrest& p, const PendingCrest& q) { return p.upper > q.upper; });
    // Highest bound first; once a bound is below the peak, no later crest can raise it.
    for (const PendingCrest& p : pending) {
      if (p.upper <= chunk.peakX[j] / w) break;
      const double crest = crests_[i].Largest(p.step);
      if (w * crest >= chunk.peakX[j]) {
        chunk.peakX[j] = w * crest;
        // At a crest the velocity is zero and the absolute acceleration is -omega^2 u.
        chunk.peakAcceleration[j] = std::max(chunk.peakAcceleration[j], w * crest);
      }
    }
    pending.clear();
  }
}

void OscillatorResponse::Advance(std::span<const double> acceleration, std::size_t first,
                                 std::size_t last) {
  static const bool kWide = HasAvx512();
  const std::size_t steps = last - first;
  const double* a = acceleration.data() + first;
  const std::size_t blockCount = (steps + kBlockSteps - 1) / kBlockSteps;
  blocks_.resize(kChunksAtOnce * blockCount);
  strongest_.assign(blockCount, 0);
  for (std::size_t n = 0; n <= steps; ++n) {
    // The time point between two blocks belongs to both.
    const double size = std::fabs(a[n]);
    if (n / kBlockSteps < strongest_.size()) {
      strongest_[n / kBlockSteps] = std::max(strongest_[n / kBlockSteps], size);
    }
    if (n % kBlockSteps == 0 && n > 0) {
      strongest_[n / kBlockSteps - 1] = std::max(strongest_[n / kBlockSteps - 1], size);
    }
  }
  for (std::size_t c = 0; c < chunks_.size(); c += kChunksAtOnce) {
    const std::size_t count = std::min(kChunksAtOnce, chunks_.size() - c);
    RunChunks(&bank_.chunks[c], &blockBounds_[c], &chunks_[c], blocks_.data(), blockCount, a,
              strongest_.data(), steps, 2 * bank_.damping, count, kWide);
    for (std::size_t g = 0; g < count; ++g) KeepBlocks(c + g, &blocks_[g * blockCount], a, steps);
  }
}

void OscillatorResponse::AdvanceScalar(std::span<const double> acceleration, std::size_t first,
                                       std::size_t last) {
  const double twoDamping = 2 * bank_.damping;
  for (std::size_t i = 0; i < bank_.size(); ++i) {
    ResponseChunk& r = ChunkOf(i);
    const std::size_t j = OscillatorBank::Place(i);
    double x = r.x[j];
    double v = r.v[j];
    for (std::size_t n = first; n < last; ++n) {
      const StepEnds ends = Step(i, x, v, acceleration[n], acceleration[n + 1]);
      x = ends.x1;
      v = ends.v1;
      r.peakX[j] = std::max(r.peakX[j], std::fabs(x));
      r.peakAcceleration[j] = std::max(r.peakAcceleration[j], std::fabs(x + twoDamping * v));
      if (MayRise(i, ends, r.peakX[j])) BoundCrest(i, ends);
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
    ConsiderCrest(i, crests_[i].FreeVibration(r.x[j] / w, r.v[j]));
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
    peaks[i] = bank_.omega(i) * ChunkOf(i).peakAcceleration[OscillatorBank::Place(i)];
  }
  return peaks;
}

}  // namespace baseline
