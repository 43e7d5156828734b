#include "records/OscillatorResponse.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

// One step of every oscillator, updating the peaks at the new time point. Marks the oscillators
// whose velocity may pass zero inside the step at a displacement above the running peak, and
// returns whether any is marked.
// Where the step is shorter than half a damped period, the acceleration has at most one zero
// inside it, so the velocity is monotone from the start to a zero of its own or from such a zero
// to the end. Hence it passes zero inside only if it changes sign over the step or heads for
// zero at the start and away from it at the end; and a crest u* inside the step lies within
// |v| * step of an end: omega |u*| <= max(|x0| + omega step |v0|, |x1| + omega step |v1|).
// Both must hold for a mark. Oscillators with longer steps have a reach of 0 and are never
// marked here.
// The arrays are parameters because GCC honours __restrict there, which lets the loop vectorise
// without run-time alias checks; bitwise operators keep it free of branches.
__attribute__((target_clones("arch=x86-64-v3", "default"))) bool StepAll(
    std::size_t n, double a0, double a1, const double* __restrict xx, const double* __restrict xv,
    const double* __restrict xa0, const double* __restrict xa1, const double* __restrict vx,
    const double* __restrict vv, const double* __restrict va0, const double* __restrict va1,
    const double* __restrict omega, const double* __restrict c, const double* __restrict reach,
    const double* __restrict x, const double* __restrict v, double* __restrict nextX,
    double* __restrict nextV, double* __restrict peakX, double* __restrict peakA,
    std::int64_t* __restrict marks) {
  std::int64_t any = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double x0 = x[i];
    const double v0 = v[i];
    const double x1 = xx[i] * x0 + xv[i] * v0 + xa0[i] * a0 + xa1[i] * a1;
    const double v1 = vx[i] * x0 + vv[i] * v0 + va0[i] * a0 + va1[i] * a1;
    nextX[i] = x1;
    nextV[i] = v1;
    const double size = std::fabs(x1);
    const double px = size > peakX[i] ? size : peakX[i];
    peakX[i] = px;
    // The absolute acceleration is -(c v + omega x); the relative one subtracts the ground's.
    const double restoring1 = c[i] * v1 + omega[i] * x1;
    const double absolute = std::fabs(restoring1);
    peakA[i] = absolute > peakA[i] ? absolute : peakA[i];
    const double acceleration0 = -(a0 + c[i] * v0 + omega[i] * x0);
    const double acceleration1 = -(a1 + restoring1);
    const std::int64_t turns =
        (v0 * v1 <= 0) | ((v0 * acceleration0 < 0) & (v1 * acceleration1 > 0));
    const double fromStart = std::fabs(x0) + reach[i] * std::fabs(v0);
    const double fromEnd = size + reach[i] * std::fabs(v1);
    const std::int64_t mark = turns & ((fromStart > px) | (fromEnd > px));
    marks[i] = mark;
    any |= mark;
  }
  return any != 0;
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
      x_(bank.size()),
      v_(bank.size()),
      nextX_(bank.size()),
      nextV_(bank.size()),
      peakX_(bank.size()),
      peakAcceleration_(bank.size()),
      marks_(bank.size()) {
  crests_.reserve(bank.size());
  for (const double w : bank.omega) crests_.emplace_back(w, bank.damping);
}

void OscillatorResponse::SolveCrest(std::size_t i, double x0, double v0, double a0, double a1,
                                    double length) {
  const double w = bank_.omega[i];
  const double peakU = peakX_[i] / w;
  const double crest = crests_[i].Largest(x0 / w, v0, a0, a1, length, peakU);
  if (crest > peakU) {
    peakX_[i] = w * crest;
    // At a crest the velocity is zero and the absolute acceleration is -omega^2 u.
    peakAcceleration_[i] = std::max(peakAcceleration_[i], w * w * crest);
  }
}

void OscillatorResponse::Advance(std::span<const double> acceleration, std::size_t first,
                                 std::size_t last) {
  const OscillatorBank& b = bank_;
  const std::size_t n = b.size();
  for (std::size_t k = first; k < last; ++k) {
    const double a0 = acceleration[k];
    const double a1 = acceleration[k + 1];
    const bool any =
        StepAll(n, a0, a1, b.xx.data(), b.xv.data(), b.xa0.data(), b.xa1.data(), b.vx.data(),
                b.vv.data(), b.va0.data(), b.va1.data(), b.omega.data(), b.twoZetaOmega.data(),
                b.crestReach.data(), x_.data(), v_.data(), nextX_.data(), nextV_.data(),
                peakX_.data(), peakAcceleration_.data(), marks_.data());
    if (any) {
      for (std::size_t i = 0; i < n; ++i) {
        if (marks_[i] != 0) SolveCrest(i, x_[i], v_[i], a0, a1, b.step);
      }
    }
    const double rise = b.step * std::max(std::fabs(a0), std::fabs(a1));
    for (const std::size_t i : b.fast) {
      if (EnergyReaches(peakX_[i], x_[i], v_[i], rise)) SolveCrest(i, x_[i], v_[i], a0, a1, b.step);
    }
    x_.swap(nextX_);
    v_.swap(nextV_);
  }
}

void OscillatorResponse::AdvanceScalar(std::span<const double> acceleration, std::size_t first,
                                       std::size_t last) {
  const OscillatorBank& b = bank_;
  for (std::size_t i = 0; i < b.size(); ++i) {
    const bool isFast = b.crestReach[i] == 0;
    double x = x_[i];
    double v = v_[i];
    for (std::size_t k = first; k < last; ++k) {
      const double a0 = acceleration[k];
      const double a1 = acceleration[k + 1];
      const double x1 = b.xx[i] * x + b.xv[i] * v + b.xa0[i] * a0 + b.xa1[i] * a1;
      const double v1 = b.vx[i] * x + b.vv[i] * v + b.va0[i] * a0 + b.va1[i] * a1;
      peakX_[i] = std::max(peakX_[i], std::fabs(x1));
      peakAcceleration_[i] =
          std::max(peakAcceleration_[i], std::fabs(b.twoZetaOmega[i] * v1 + b.omega[i] * x1));
      const double acceleration0 = -(a0 + b.twoZetaOmega[i] * v + b.omega[i] * x);
      const double acceleration1 = -(a1 + b.twoZetaOmega[i] * v1 + b.omega[i] * x1);
      const bool mayRise =
          isFast ? EnergyReaches(peakX_[i], x, v, b.step * std::max(std::fabs(a0), std::fabs(a1)))
                 : (v * v1 <= 0 || (v * acceleration0 < 0 && v1 * acceleration1 > 0)) &&
                       std::max(std::fabs(x) + b.crestReach[i] * std::fabs(v),
                                std::fabs(x1) + b.crestReach[i] * std::fabs(v1)) > peakX_[i];
      if (mayRise) SolveCrest(i, x, v, a0, a1, b.step);
      x = x1;
      v = v1;
    }
    x_[i] = x;
    v_[i] = v;
  }
}

void OscillatorResponse::AddFreeVibration() {
  for (std::size_t i = 0; i < bank_.size(); ++i) {
    const double w = bank_.omega[i];
    // Within one damped period the velocity passes zero at least once; the first crest after
    // the end is the largest of the decaying free vibration.
    const double period = 2 * std::numbers::pi / (w * std::sqrt(1 - bank_.damping * bank_.damping));
    SolveCrest(i, x_[i], v_[i], 0, 0, period);
  }
}

std::vector<double> OscillatorResponse::PeakDisplacement() const {
  std::vector<double> peaks(bank_.size());
  for (std::size_t i = 0; i < peaks.size(); ++i) peaks[i] = peakX_[i] / bank_.omega[i];
  return peaks;
}
