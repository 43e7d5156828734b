#include "records/OscillatorResponse.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// The arrays of one vectorised step, as plain pointers so that the compiler sees no aliasing.
struct StepArrays {
  const double* xx;
  const double* xv;
  const double* xa0;
  const double* xa1;
  const double* vx;
  const double* vv;
  const double* va0;
  const double* va1;
  const double* omega;
  const double* twoZetaOmega;
  const double* turnLimit;
  const double* x;
  const double* v;
  double* nextX;
  double* nextV;
  double* peakX;
  double* peakAcceleration;
  unsigned char* turning;
};

// One step of every oscillator. Marks in turning the oscillators whose velocity may pass zero
// inside the step at a displacement above the running peak, and returns whether any is marked.
// The mark needs both:
// - a turn: the velocity changes sign over the step, or it heads for zero at the start (then it
//   can pass zero twice), or the step is half a damped period or longer;
// - room: with W = sqrt(x^2 + v^2), dW/dt <= |ground acceleration|, so inside the step
//   omega |u| <= W0 + step * max(|a0|, |a1|), which must reach the running peak.
__attribute__((target_clones("avx2", "default"))) bool StepAll(const StepArrays& s, std::size_t n,
                                                               double a0, double a1, double rise) {
  const double* __restrict xx = s.xx;
  const double* __restrict xv = s.xv;
  const double* __restrict xa0 = s.xa0;
  const double* __restrict xa1 = s.xa1;
  const double* __restrict vx = s.vx;
  const double* __restrict vv = s.vv;
  const double* __restrict va0 = s.va0;
  const double* __restrict va1 = s.va1;
  const double* __restrict omega = s.omega;
  const double* __restrict c = s.twoZetaOmega;
  const double* __restrict limit = s.turnLimit;
  const double* __restrict x = s.x;
  const double* __restrict v = s.v;
  double* __restrict nextX = s.nextX;
  double* __restrict nextV = s.nextV;
  double* __restrict peakX = s.peakX;
  double* __restrict peakA = s.peakAcceleration;
  unsigned char* __restrict turning = s.turning;
  int any = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double x0 = x[i];
    const double v0 = v[i];
    const double x1 = xx[i] * x0 + xv[i] * v0 + xa0[i] * a0 + xa1[i] * a1;
    const double v1 = vx[i] * x0 + vv[i] * v0 + va0[i] * a0 + va1[i] * a1;
    nextX[i] = x1;
    nextV[i] = v1;
    const double px = std::fabs(x1) > peakX[i] ? std::fabs(x1) : peakX[i];
    peakX[i] = px;
    const double absolute = std::fabs(c[i] * v1 + omega[i] * x1);
    peakA[i] = absolute > peakA[i] ? absolute : peakA[i];
    const double room = px - rise;
    const bool reaches = room < 0 || room * room < x0 * x0 + v0 * v0;
    const double acceleration0 = -(a0 + c[i] * v0 + omega[i] * x0);
    const bool turns = v0 * v1 <= 0 || v0 * acceleration0 < limit[i];
    const int mark = reaches && turns;
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
    const StepArrays arrays{bank_.xx.data(),
                            bank_.xv.data(),
                            bank_.xa0.data(),
                            bank_.xa1.data(),
                            bank_.vx.data(),
                            bank_.vv.data(),
                            bank_.va0.data(),
                            bank_.va1.data(),
                            bank_.omega.data(),
                            bank_.twoZetaOmega.data(),
                            bank_.turnLimit.data(),
                            x_.data(),
                            v_.data(),
                            nextX_.data(),
                            nextV_.data(),
                            peakX_.data(),
                            peakAcceleration_.data(),
                            turning_.data()};
    if (StepAll(arrays, n, a0, a1, rise)) {
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
      if ((room < 0 || room * room < x * x + v * v) &&
          (v * v1 <= 0 || v * acceleration0 < b.turnLimit[i])) {
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
