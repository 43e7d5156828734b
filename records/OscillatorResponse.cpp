#include "records/OscillatorResponse.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// One step of every oscillator. Marks in turning the oscillators whose velocity may pass zero
// inside the step at a displacement above the running peak, and returns whether any is marked.
// The mark needs both:
// - a turn: the velocity changes sign over the step, or it heads for zero at the start and away
//   from it at the end (it may have passed zero twice), or the step is half a damped period or
//   longer (anything may happen inside);
// - room: with W = sqrt(x^2 + v^2), dW/dt <= |ground acceleration|, so inside the step
//   omega |u| <= W0 + step * max(|a0|, |a1|), which must reach the running peak.
// The arrays are parameters because GCC honours __restrict there; it lets the loop vectorise
// without run-time alias checks.
__attribute__((target_clones("avx2", "default"))) bool StepAll(
    std::size_t n, double a0, double a1, double rise, const double* __restrict xx,
    const double* __restrict xv, const double* __restrict xa0, const double* __restrict xa1,
    const double* __restrict vx, const double* __restrict vv, const double* __restrict va0,
    const double* __restrict va1, const double* __restrict omega, const double* __restrict c,
    const double* __restrict limit, const double* __restrict x, const double* __restrict v,
    double* __restrict nextX, double* __restrict nextV, double* __restrict peakX,
    double* __restrict peakA, unsigned char* __restrict turning) {
  int any = 0;
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
    const double absolute = std::fabs(c[i] * v1 + omega[i] * x1);
    peakA[i] = absolute > peakA[i] ? absolute : peakA[i];
    // Bitwise operators keep the loop free of branches, so that it vectorises.
    const double room = px - rise;
    const int reaches = (room < 0) | (room * room < x0 * x0 + v0 * v0);
    const double acceleration0 = -(a0 + c[i] * v0 + omega[i] * x0);
    const double acceleration1 = -(a1 + c[i] * v1 + omega[i] * x1);
    const int turns =
        (v0 * v1 <= 0) | ((v0 * acceleration0 < limit[i]) & (v1 * acceleration1 > -limit[i]));
    const int mark = reaches & turns;
    turning[i] = static_cast<unsigned char>(mark);
    any |= mark;
  }
  return any != 0;
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
      turning_(bank.size()) {
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
  const std::size_t n = bank_.size();
  for (std::size_t k = first; k < last; ++k) {
    const double a0 = acceleration[k];
    const double a1 = acceleration[k + 1];
    const double rise = bank_.step * std::max(std::fabs(a0), std::fabs(a1));
    const OscillatorBank& b = bank_;
    const bool any =
        StepAll(n, a0, a1, rise, b.xx.data(), b.xv.data(), b.xa0.data(), b.xa1.data(), b.vx.data(),
                b.vv.data(), b.va0.data(), b.va1.data(), b.omega.data(), b.twoZetaOmega.data(),
                b.turnLimit.data(), x_.data(), v_.data(), nextX_.data(), nextV_.data(),
                peakX_.data(), peakAcceleration_.data(), turning_.data());
    if (any) {
      const unsigned char* begin = turning_.data();
      const unsigned char* end = begin + n;
      for (const unsigned char* p = begin;
           (p = static_cast<const unsigned char*>(std::memchr(p, 1, end - p))) != nullptr; ++p) {
        const std::size_t i = static_cast<std::size_t>(p - begin);
        SolveCrest(i, x_[i], v_[i], a0, a1, bank_.step);
        if (p + 1 == end) break;
      }
    }
    x_.swap(nextX_);
    v_.swap(nextV_);
  }
}

void OscillatorResponse::AdvanceScalar(std::span<const double> acceleration, std::size_t first,
                                       std::size_t last) {
  const OscillatorBank& b = bank_;
  for (std::size_t i = 0; i < b.size(); ++i) {
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
      const double room = peakX_[i] - b.step * std::max(std::fabs(a0), std::fabs(a1));
      const double acceleration0 = -(a0 + b.twoZetaOmega[i] * v + b.omega[i] * x);
      const double acceleration1 = -(a1 + b.twoZetaOmega[i] * v1 + b.omega[i] * x1);
      if ((room < 0 || room * room < x * x + v * v) &&
          (v * v1 <= 0 ||
           (v * acceleration0 < b.turnLimit[i] && v1 * acceleration1 > -b.turnLimit[i]))) {
        SolveCrest(i, x, v, a0, a1, b.step);
      }
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
