// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/OscillatorResponse.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

// The x86-64 vector paths, each compiled for its processors and chosen at run time; elsewhere
// the plain path alone.
#if defined(__x86_64__) && defined(__GNUC__)
#define TREMVALE_X86_PATHS 1
#endif

namespace {

// One step of one oscillator with the constants c of OscillatorChunk in the order xx, xv, xa0,
// xa1, vx, vv, va0, va1: the operations every path performs, in their order.
[[gnu::always_inline]] inline void StepOne(const double* c, double x0, double v0, double a0,
                                           double a1, double& x1, double& v1) {
  x1 = c[3] * a1;
  x1 = std::fma(c[2], a0, x1);
  x1 = std::fma(c[1], v0, x1);
  x1 = std::fma(c[0], x0, x1);
  v1 = c[7] * a1;
  v1 = std::fma(c[6], a0, v1);
  v1 = std::fma(c[4], x0, v1);
  v1 = std::fma(c[5], v0, v1);
}

void ConstantsOf(const OscillatorChunk& k, std::size_t j, double (&c)[8]) {
  const double constants[8] = {k.xx[j], k.xv[j], k.xa0[j], k.xa1[j],
                               k.vx[j], k.vv[j], k.va0[j], k.va1[j]};
  std::copy(constants, constants + 8, c);
}

// The states after each of the steps from x, v under acceleration[0..steps]. Compiled besides
// for processors with FMA, where a fused multiply-add is one instruction rather than a call.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target_clones("arch=x86-64-v3", "default")))
#endif
void StepStates(const double* c, double x, double v, const double* acceleration,
                std::size_t steps, double* xs, double* vs) {
  for (std::size_t n = 0; n < steps; ++n) {
    StepOne(c, x, v, acceleration[n], acceleration[n + 1], xs[n], vs[n]);
    x = xs[n];
    v = vs[n];
  }
}

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

// lanes[k] = a[k] * b[k] + c[k], rounded once: the fused multiply-add every path uses, which
// the compiler makes one vector instruction where the target has one. Built whole from its
// lanes, so that the vectors stay in registers. By reference: vector values passed to a
// function not compiled for the wider registers would change the calling convention.
template <class Lanes, std::size_t... k>
[[gnu::always_inline]] inline void FmaLanes(Lanes& lanes, const Lanes& a, const Lanes& b,
                                            const Lanes& c, std::index_sequence<k...>) {
  lanes = Lanes{std::fma(a[k], b[k], c[k])...};
}

// The same with b the same in every lane.
template <class Lanes, std::size_t... k>
[[gnu::always_inline]] inline void FmaLanes(Lanes& lanes, const Lanes& a, double b, const Lanes& c,
                                            std::index_sequence<k...>) {
  lanes = Lanes{std::fma(a[k], b, c[k])...};
}

template <std::size_t kWidth, class Lanes, class Factor>
[[gnu::always_inline]] inline void Fma(Lanes& lanes, const Lanes& a, const Factor& b,
                                       const Lanes& c) {
  FmaLanes(lanes, a, b, c, std::make_index_sequence<kWidth>{});
}

// Steps 0..steps-1 of kChunks consecutive chunks of oscillators, acceleration[n] to
// acceleration[n + 1] being step n, summed up in blocks of kBlockSteps steps: those of chunk g
// from blocks[g * blockCount] on; strongest[b] is the largest |acceleration| at the time points
// of block b. kWidth oscillators side by side in one vector register. The loop does no more than
// the recurrence and running maxima, free of branches and with the state in registers; keeping
// to a few chunks keeps their constants in the first-level cache for the whole record. The
// ground acceleration enters first, so that a step waits on the one before for only two
// multiply-adds. Each lane takes the operations of OscillatorResponse::Step, in its order.
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
  // Vector q holds places (q % kPerChunk) * kWidth on of chunk q / kPerChunk. The loops over q
  // are unrolled so that the vectors stay in registers.
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
  Lanes x[kVectors], v[kVectors];
#pragma GCC unroll 4
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
  }
  for (std::size_t first = 0, b = 0; first < steps; first += kBlockSteps, ++b) {
    const std::size_t last = std::min(steps, first + kBlockSteps);
    Lanes largestX[kVectors], largestV[kVectors], largestS[kVectors];
#pragma GCC unroll 4
    for (std::size_t q = 0; q < kVectors; ++q) {
      StepBlock& block = blocks[chunkOf(q) * blockCount + b];
      store(block.x + placeOf(q), x[q]);
      store(block.v + placeOf(q), v[q]);
      size(largestX[q], x[q]);
      size(largestV[q], v[q]);
      Lanes sway;
      Fma<kWidth>(sway, v[q], twoDamping, x[q]);
      size(largestS[q], sway);
    }
    for (std::size_t n = first; n < last; ++n) {
      const double a0 = acceleration[n];
      const double a1 = acceleration[n + 1];
#pragma GCC unroll 4
      for (std::size_t q = 0; q < kVectors; ++q) {
        Lanes x1 = xa1[q] * a1;
        Fma<kWidth>(x1, xa0[q], a0, x1);
        Fma<kWidth>(x1, xv[q], v[q], x1);
        Fma<kWidth>(x1, xx[q], x[q], x1);
        Lanes v1 = va1[q] * a1;
        Fma<kWidth>(v1, va0[q], a0, v1);
        Fma<kWidth>(v1, vx[q], x[q], v1);
        Fma<kWidth>(v1, vv[q], v[q], v1);
        x[q] = x1;
        v[q] = v1;
        Lanes sway, sizeX, sizeV, sizeS;
        Fma<kWidth>(sway, v1, twoDamping, x1);
        size(sizeX, x1);
        size(sizeV, v1);
        size(sizeS, sway);
        largestX[q] = largestX[q] > sizeX ? largestX[q] : sizeX;
        largestV[q] = largestV[q] > sizeV ? largestV[q] : sizeV;
        largestS[q] = largestS[q] > sizeS ? largestS[q] : sizeS;
      }
    }
    LaneBits mayRise[kChunks] = {};
#pragma GCC unroll 4
    for (std::size_t q = 0; q < kVectors; ++q) {
      const std::size_t p = placeOf(q);
      const BlockBound& bb = bound[chunkOf(q)];
      ResponseChunk& chunk = s[chunkOf(q)];
      StepBlock& block = blocks[chunkOf(q) * blockCount + b];
      Lanes beforeX, beforeS, reach, rise, self, reachS, riseS;
      load(beforeX, chunk.peakX + p);
      load(beforeS, chunk.peakS + p);
      load(reach, bb.reach + p);
      load(rise, bb.rise + p);
      load(self, bb.self + p);
      load(reachS, bb.reachS + p);
      load(riseS, bb.riseS + p);
      const Lanes peakX = beforeX > largestX[q] ? beforeX : largestX[q];
      const Lanes peakS = beforeS > largestS[q] ? beforeS : largestS[q];
      const Lanes upperX = largestX[q] + reach * largestV[q] + rise * strongest[b];
      const Lanes upperS =
          self * largestS[q] + reachS * (largestX[q] + largestV[q]) + riseS * strongest[b];
      store(chunk.peakX + p, peakX);
      store(chunk.peakS + p, peakS);
      store(block.upperX + p, upperX);
      store(block.upperS + p, upperS);
      // Negative where a bound passes its peak: the sign bits tell, without a comparison into
      // a mask, which the compiler would take apart lane by lane.
      const Lanes roomX = peakX - upperX;
      const Lanes roomS = peakS - upperS;
      mayRise[chunkOf(q)] |= reinterpret_cast<LaneBits>(roomX < roomS ? roomX : roomS);
    }
    for (std::size_t g = 0; g < kChunks; ++g) {
      std::int64_t any = 0;
      for (std::size_t lane = 0; lane < kWidth; ++lane) any |= mayRise[g][lane];
      blocks[g * blockCount + b].mayRise = any < 0;
    }
  }
#pragma GCC unroll 4
  for (std::size_t q = 0; q < kVectors; ++q) {
    store(s[chunkOf(q)].x + placeOf(q), x[q]);
    store(s[chunkOf(q)].v + placeOf(q), v[q]);
  }
}

// The steps of chunks 0..count-1, count at most kChunksAtOnce, with the blocks of chunk g from
// blocks[g * blockCount] on. With AVX-512, two chunks at once in eight-wide registers;
// otherwise one chunk in four-wide ones, as the sixteen registers of AVX2 hold no more.
constexpr std::size_t kChunksAtOnce = 2;

struct ChunkRun {
  const OscillatorChunk* k;
  const BlockBound* bound;
  ResponseChunk* s;
  StepBlock* blocks;
  std::size_t blockCount;
  const double* acceleration;
  const double* strongest;
  std::size_t steps;
  double twoDamping;
  std::size_t count;
};

template <std::size_t kWidth>
[[gnu::always_inline]] inline void RunOneByOne(const ChunkRun& r) {
  for (std::size_t g = 0; g < r.count; ++g) {
    RunBlocks<kWidth, 1>(r.k + g, r.bound + g, r.s + g, r.blocks + g * r.blockCount, r.blockCount,
                         r.acceleration, r.strongest, r.steps, r.twoDamping);
  }
}

// Builds for any processor; on one without FMA each fused multiply-add is a library call.
void RunPlain(const ChunkRun& r) { RunOneByOne<4>(r); }

#ifdef TREMVALE_X86_PATHS

__attribute__((target("arch=x86-64-v4"))) void RunAvx512(const ChunkRun& r) {
  if (r.count == 2) {
    RunBlocks<8, 2>(r.k, r.bound, r.s, r.blocks, r.blockCount, r.acceleration, r.strongest, r.steps,
                    r.twoDamping);
  } else {
    RunOneByOne<8>(r);
  }
}

__attribute__((target("arch=x86-64-v3"))) void RunAvx2(const ChunkRun& r) { RunOneByOne<4>(r); }

// Whether the processor has everything each version above is compiled for. Clang 14 knows no
// level names here, so it asks for the levels' defining features; every processor with those
// has the rest of its level too.
bool HasAvx2() {
  __builtin_cpu_init();
#if defined(__clang__)
  return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") &&
         __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2") &&
         __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("sse4.2");
#else
  return __builtin_cpu_supports("x86-64-v3");
#endif
}

bool HasAvx512() {
  __builtin_cpu_init();
#if defined(__clang__)
  return HasAvx2() && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
         __builtin_cpu_supports("avx512cd") && __builtin_cpu_supports("avx512dq") &&
         __builtin_cpu_supports("avx512vl");
#else
  return __builtin_cpu_supports("x86-64-v4");
#endif
}
#endif

// The widest path this processor runs.
VectorPath BestPath() {
#ifdef TREMVALE_X86_PATHS
  if (HasAvx512()) return VectorPath::Avx512;
  if (HasAvx2()) return VectorPath::Avx2;
#endif
  return VectorPath::Plain;
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
      floorX_(bank.size()),
      floorS_(bank.size()),
      kept_(bank.size()),
      pending_(bank.size()) {
  crests_.reserve(bank.size());
  const double zeta = bank.damping;
  curvatureS_ = std::sqrt(1 + zeta * zeta * (8 + zeta * zeta * (-48 + 64 * zeta * zeta)));
  const double dt = bank.step;
  for (std::size_t i = 0; i < bank.size(); ++i) {
    const double w = bank.omega(i);
    crests_.emplace_back(w, zeta);
    const std::size_t j = OscillatorBank::Place(i);
    BlockBound& bound = blockBounds_[i / kOscillatorChunk];
    // A crest of u inside a block lies, by the argument of MayRise, within reach * largest |v|
    // of the largest |x|. For fast oscillators the energy bound of EnergyReaches holds, with
    // sqrt(x^2 + v^2) <= |x| + |v|. Unused places stay at 0.
    const double reach = bank.ChunkOf(i).crestReach[j];
    bound.reach[j] = reach != 0 ? reach : 1;
    bound.rise[j] = reach != 0 ? 0 : dt;
    // s = x + 2 zeta v is the absolute acceleration over -omega. At a crest of s its derivative
    // is zero, and the nearer time point is at most half a step away, so s there differs from
    // the crest by at most step^2 / 8 times the largest |s''|. From the equation of motion,
    //   s'' = -omega^2 ((1 - 4 zeta^2) x + 4 zeta (1 - 2 zeta^2) v) - omega (1 - 4 zeta^2) a
    //         - 2 zeta a',
    // with |(x, v) term| <= K W, K^2 = 1 + 8 zeta^2 - 48 zeta^4 + 64 zeta^6, W inside the step
    // at most W0 + step * max |a| <= |x0| + |v0| + step * max |a|, and |a'| <= 2 max |a| / step.
    // Besides, |s| <= sqrt(1 + 4 zeta^2) W anywhere: the smaller bound serves.
    const double z2 = zeta * zeta;
    const double k = curvatureS_;
    const double wdt = w * dt;
    const double second = wdt * wdt * k / 8;
    const double energy = std::sqrt(1 + 4 * z2);
    if (second < energy) {
      bound.self[j] = 1;
      bound.reachS[j] = second;
      bound.riseS[j] = dt * (second + wdt * std::fabs(1 - 4 * z2) / 8 + zeta / 2);
    } else {
      bound.self[j] = 0;
      bound.reachS[j] = energy;
      bound.riseS[j] = energy * dt;
    }
  }
}

bool OscillatorResponse::Runs(VectorPath path) {
  switch (path) {
    case VectorPath::Best:
    case VectorPath::Plain:
      return true;
#ifdef TREMVALE_X86_PATHS
    case VectorPath::Avx512:
      return HasAvx512();
    case VectorPath::Avx2:
      return HasAvx2();
#else
    case VectorPath::Avx512:
    case VectorPath::Avx2:
      return false;
#endif
  }
  return false;
}

ResponseChunk& OscillatorResponse::ChunkOf(std::size_t i) { return chunks_[i / kOscillatorChunk]; }

const ResponseChunk& OscillatorResponse::ChunkOf(std::size_t i) const {
  return chunks_[i / kOscillatorChunk];
}

// The operations of the vector loops, in their order: every path gives the same digits.
OscillatorResponse::StepEnds OscillatorResponse::Step(std::size_t i, double x0, double v0,
                                                      double a0, double a1) const {
  double c[8];
  ConstantsOf(bank_.ChunkOf(i), OscillatorBank::Place(i), c);
  double x1, v1;
  StepOne(c, x0, v0, a0, a1, x1, v1);
  return {x0, v0, x1, v1, a0, a1};
}

// Where the step is shorter than half a damped period, the acceleration has at most one zero
// inside it, so the velocity is monotone from the start to a zero of its own or from such a zero
// to the end. Hence it passes zero inside only if it changes sign over the step or heads for
// zero at the start and away from it at the end; and a crest u* inside the step lies within
// |v| * step of an end: omega |u*| <= max(|x0|, |x1|) + omega step max(|v0|, |v1|).
bool OscillatorResponse::MayRise(std::size_t i, const StepEnds& e, double floorX) const {
  const OscillatorChunk& k = bank_.ChunkOf(i);
  const std::size_t j = OscillatorBank::Place(i);
  if (k.crestReach[j] == 0) {
    return EnergyReaches(floorX, e.x0, e.v0,
                         bank_.step * std::max(std::fabs(e.a0), std::fabs(e.a1)));
  }
  // Minus the relative acceleration at both ends; only its sign against v matters.
  const double pull0 = e.a0 + k.twoZetaOmega[j] * e.v0 + k.omega[j] * e.x0;
  const double pull1 = e.a1 + k.twoZetaOmega[j] * e.v1 + k.omega[j] * e.x1;
  const bool turns = e.v0 * e.v1 <= 0 || (e.v0 * pull0 > 0 && e.v1 * pull1 < 0);
  return turns && std::max(std::fabs(e.x0), std::fabs(e.x1)) +
                          k.crestReach[j] * std::max(std::fabs(e.v0), std::fabs(e.v1)) >
                      floorX;
}

// The bound of the vector loops (see the constructor), on one step. Besides, a crest needs s' to
// pass zero inside the step, and s' moves by at most the bound M on |s''| times the time: where
// s' keeps one sign at both ends, a zero needs |s'0| + |s'1| <= M step.
bool OscillatorResponse::MayRiseS(std::size_t i, const StepEnds& e, double floorS) const {
  const BlockBound& b = blockBounds_[i / kOscillatorChunk];
  const std::size_t j = OscillatorBank::Place(i);
  const double twoDamping = 2 * bank_.damping;
  const double strongest = std::max(std::fabs(e.a0), std::fabs(e.a1));
  // Only a bound: plain operations serve.
  const double s =
      std::max(std::fabs(e.x0 + twoDamping * e.v0), std::fabs(e.x1 + twoDamping * e.v1));
  const double w =
      std::max(std::fabs(e.x0), std::fabs(e.x1)) + std::max(std::fabs(e.v0), std::fabs(e.v1));
  if (!(b.self[j] * s + b.reachS[j] * w + b.riseS[j] * strongest > floorS)) return false;
  // s' = omega (1 - 4 zeta^2) v - 2 zeta (omega x + a).
  const double omega = bank_.omega(i);
  const double c = omega * (1 - twoDamping * twoDamping);
  const double d0 = c * e.v0 - twoDamping * (omega * e.x0 + e.a0);
  const double d1 = c * e.v1 - twoDamping * (omega * e.x1 + e.a1);
  if (d0 * d1 <= 0) return true;
  const double step = bank_.step;
  const double curvature = omega * omega * curvatureS_ * (w + step * strongest) +
                           std::fabs(c) * strongest + twoDamping * std::fabs(e.a1 - e.a0) / step;
  // A margin far above the rounding of these few operations.
  return std::fabs(d0) + std::fabs(d1) <= 1.000001 * curvature * step;
}

void OscillatorResponse::BoundCrests(std::size_t i, const StepEnds& ends, bool ofX, bool ofS) {
  const bool displacement = ofX && MayRise(i, ends, floorX_[i]);
  const bool acceleration = ofS && MayRiseS(i, ends, floorS_[i]);
  if (!displacement && !acceleration) return;
  const double w = bank_.omega(i);
  const CrestStep step{ends.x0 / w, ends.v0, ends.x1 / w, ends.v1, ends.a0, ends.a1, bank_.step};
  if (displacement) ConsiderCrest(i, step, CrestOf::Displacement);
  if (acceleration) ConsiderCrest(i, step, CrestOf::Acceleration);
}

double OscillatorResponse::ScaleOf(std::size_t i, CrestOf of) const {
  const double w = bank_.omega(i);
  return of == CrestOf::Displacement ? w : 1 / w;
}

double& OscillatorResponse::FloorOf(std::size_t i, CrestOf of) {
  return of == CrestOf::Displacement ? floorX_[i] : floorS_[i];
}

void OscillatorResponse::ConsiderCrest(std::size_t i, const CrestStep& step, CrestOf of) {
  const double scale = ScaleOf(i, of);
  double& floor = FloorOf(i, of);
  const CrestBound bound = crests_[i].Bound(step, of);
  if (bound.upper * scale <= floor) return;
  // The response reaches the lower bound, which may spare later steps a search.
  floor = std::max(floor, bound.lower * scale);
  if (pending_[i].empty()) pending_[i].reserve(16);
  pending_[i].push_back({step, of, bound.upper * scale});
}

void OscillatorResponse::KeepBlocks(std::size_t c, const StepBlock* blocks,
                                    const double* acceleration, std::size_t steps) {
  const ResponseChunk& s = chunks_[c];
  const std::size_t used = std::min(kOscillatorChunk, bank_.size() - c * kOscillatorChunk);
  for (std::size_t j = 0; j < used; ++j) {
    const std::size_t i = c * kOscillatorChunk + j;
    floorX_[i] = std::max(floorX_[i], s.peakX[j]);
    floorS_[i] = std::max(floorS_[i], s.peakS[j]);
  }
  for (std::size_t first = 0, b = 0; first < steps; first += kBlockSteps, ++b) {
    const StepBlock& block = blocks[b];
    if (block.mayRise == 0) continue;
    const std::size_t count = std::min(kBlockSteps, steps - first);
    for (std::size_t j = 0; j < used; ++j) {
      const std::size_t i = c * kOscillatorChunk + j;
      if (!(block.upperX[j] > floorX_[i] || block.upperS[j] > floorS_[i])) continue;
      // Most oscillators keep some tens of blocks: room for them at once spares the copies of
      // growing one by one.
      if (kept_[i].empty()) kept_[i].reserve(32);
      kept_[i].push_back(
          {block.x[j], block.v[j], block.upperX[j], block.upperS[j], count, acceleration + first});
    }
  }
}

void OscillatorResponse::Remake(std::size_t i, const KeptBlock& block, bool ofX, bool ofS) {
  double c[8];
  ConstantsOf(bank_.ChunkOf(i), OscillatorBank::Place(i), c);
  double xs[kBlockSteps], vs[kBlockSteps];
  StepStates(c, block.x, block.v, block.acceleration, block.steps, xs, vs);
  double x = block.x;
  double v = block.v;
  for (std::size_t n = 0; n < block.steps; ++n) {
    BoundCrests(i, {x, v, xs[n], vs[n], block.acceleration[n], block.acceleration[n + 1]}, ofX,
                ofS);
    x = xs[n];
    v = vs[n];
  }
}

void OscillatorResponse::Settle() {
  for (std::size_t i = 0; i < bank_.size(); ++i) {
    ResponseChunk& chunk = ChunkOf(i);
    const std::size_t j = OscillatorBank::Place(i);
    // Blocks first, highest bound first, once for u and once for the absolute acceleration:
    // the lower bounds of the first crests may spare the rest.
    std::vector<KeptBlock>& kept = kept_[i];
    std::sort(kept.begin(), kept.end(),
              [](const KeptBlock& p, const KeptBlock& q) { return p.upperX > q.upperX; });
    for (const KeptBlock& block : kept) {
      if (!(block.upperX > floorX_[i])) break;
      Remake(i, block, true, false);
    }
    std::sort(kept.begin(), kept.end(),
              [](const KeptBlock& p, const KeptBlock& q) { return p.upperS > q.upperS; });
    for (const KeptBlock& block : kept) {
      if (!(block.upperS > floorS_[i])) break;
      Remake(i, block, false, true);
    }
    kept.clear();
    std::vector<PendingCrest>& pending = pending_[i];
    std::sort(pending.begin(), pending.end(),
              [](const PendingCrest& p, const PendingCrest& q) { return p.upper > q.upper; });
    // Highest bound first; a bound below the floor cannot raise the peak.
    for (const PendingCrest& p : pending) {
      double& floor = FloorOf(i, p.of);
      if (p.upper <= floor) continue;
      const double crest = crests_[i].Largest(p.step, p.of) * ScaleOf(i, p.of);
      double& peak = p.of == CrestOf::Displacement ? chunk.peakX[j] : chunk.peakS[j];
      peak = std::max(peak, crest);
      floor = std::max(floor, crest);
    }
    pending.clear();
  }
}

void OscillatorResponse::Advance(std::span<const double> acceleration, std::size_t first,
                                 std::size_t last, VectorPath path) {
  static const VectorPath kBest = BestPath();
  if (path == VectorPath::Best) path = kBest;
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
    const ChunkRun run{&bank_.chunks[c],  &blockBounds_[c],
                       &chunks_[c],       blocks_.data(),
                       blockCount,        a,
                       strongest_.data(), steps,
                       2 * bank_.damping, std::min(kChunksAtOnce, chunks_.size() - c)};
    switch (path) {
#ifdef TREMVALE_X86_PATHS
      case VectorPath::Avx512:
        RunAvx512(run);
        break;
      case VectorPath::Avx2:
        RunAvx2(run);
        break;
#endif
      default:
        RunPlain(run);
    }
    for (std::size_t g = 0; g < run.count; ++g) {
      KeepBlocks(c + g, &blocks_[g * blockCount], a, steps);
    }
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
      r.peakS[j] = std::max(r.peakS[j], std::fabs(std::fma(twoDamping, v, x)));
      floorX_[i] = std::max(floorX_[i], r.peakX[j]);
      floorS_[i] = std::max(floorS_[i], r.peakS[j]);
      BoundCrests(i, ends, true, true);
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
    floorX_[i] = std::max(floorX_[i], r.peakX[j]);
    floorS_[i] = std::max(floorS_[i], r.peakS[j]);
    const CrestStep step = crests_[i].FreeVibration(r.x[j] / w, r.v[j]);
    ConsiderCrest(i, step, CrestOf::Displacement);
    ConsiderCrest(i, step, CrestOf::Acceleration);
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
    peaks[i] = bank_.omega(i) * ChunkOf(i).peakS[OscillatorBank::Place(i)];
  }
  return peaks;
}
