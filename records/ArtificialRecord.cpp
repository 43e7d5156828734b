// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/ArtificialRecord.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <complex>
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/NumberText.h"
#include "records/PlainMath.h"
#include "records/RandomSequence.h"
#include "records/RealSynthesis.h"
#include "records/ResponseSpectrum.h"
#include "records/SampledOscillator.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kGravity = 9.80665;  // m/s2 per g
// The corrections either settle within this many rounds or wander: past it, a fit starts
// afresh from new phases, which reaches the tolerance sooner than going on.
constexpr int kAttemptRounds = 20;
// Rounds of Fourier-amplitude fitting before the time-domain corrections; more gain little.
constexpr int kAmplitudeRounds = 6;
constexpr std::size_t kAmplitudeControls = 60;
// Wavelet half-width (its Gaussian's 1/e time) in periods, and its cut-off in half-widths.
constexpr double kWaveletWidth = 1.25;
constexpr double kWaveletReach = 3;
// Periods corrected in one round lie at least this ratio apart: closer ones make the system of
// wavelet responses nearly singular.
constexpr double kCorrectedSpacing = 1.04;
// When the spectrum's median lies this share of the tolerance below the design values, the
// record's largest values stand too high for the rest: they are shaved down to the median's
// level by narrow bumps of this half-width in steps, which act mostly beyond the band.
constexpr double kShavedBelow = 0.6;
constexpr int kShaveHalfWidth = 3;
constexpr int kMostShaved = 1000;
// Damping of the least-squares solve, against relative amplitudes of order 1.
constexpr double kDamping = 0.003;
// Periods that miss by less than this share of the tolerance are left to their neighbours.
constexpr double kCorrectedShare = 0.1;
// Crests of one period corrected together lie at least a period apart, at most three of them.
constexpr double kCrestSpacing = 1;
constexpr std::size_t kMostCrests = 3;
// When a response is too low, crests above this share of the largest are raised with it.
constexpr double kRaisedShare = 0.95;
// Long-period wavelets are narrowed to this share of the record, so that they fit inside it.
constexpr double kWidthCap = 0.125;
// Periods shorter than this many steps are too short for a wavelet to act on alone.
constexpr double kShortestCorrected = 3;
// The record and its corrections fade in over the first second and out over the last, so that
// it starts and ends at zero without a jump.
constexpr double kEndFade = 1;
constexpr std::size_t kMostValues = 1000000;
// Records of up to this many values keep each period's impulse response between rounds.
constexpr std::size_t kMostKeptImpulse = 8000;
// Oscillators stepped together: enough to keep the processor busy, few enough that their
// displacements over a long record stay small beside it.
constexpr std::size_t kBlock = 8;
// The grid, as a share of the design value, on which the corrections see the spectrum.
constexpr double kSeenGrid = 0x1p20;
// The impulse response is taken as gone after it has decayed by exp(-this).
constexpr double kImpulseMemory = 12;
// Periods watched by the corrections lie at least this ratio apart.
constexpr double kWatchedSpacing = 1.015;
// Values of the record above this share of the target peak are held by the corrections, at most
// this many of them, weighted so, and all but the largest kept below this share.
constexpr double kHeldShare = 0.9;
constexpr std::size_t kMostHeld = 4;
constexpr double kHeldWeight = 0.5;
constexpr double kHeldBelow = 0.97;

double SaAt(const DesignSpectrum& design, double period) {
  double sa = 0;
  if (period <= 6) {
    design.GetSa(period, sa);
    return sa;
  }
  design.GetSa(6, sa);
  return sa * (6 / period) * (6 / period);
}

// Lowers every value above the level to it, largest first, by subtracting narrow raised-cosine
// bumps centred on it.
void ShavePeaks(std::vector<double>& a, double level) {
  double bump[2 * kShaveHalfWidth + 1];
  for (int d = -kShaveHalfWidth; d <= kShaveHalfWidth; ++d) {
    bump[d + kShaveHalfWidth] = 0.5 + 0.5 * PlainCos(kPi * d / (kShaveHalfWidth + 1));
  }
  // A few dozen values stand above the level in practice; a bump may push a neighbour of the
  // other sign over it, so the passes are bounded.
  for (int pass = 0; pass < kMostShaved; ++pass) {
    std::size_t k = 0;
    for (std::size_t q = 1; q < a.size(); ++q) {
      if (std::fabs(a[q]) > std::fabs(a[k])) k = q;
    }
    if (!(std::fabs(a[k]) > level * (1 + 1e-4))) break;
    const double excess = std::copysign(std::fabs(a[k]) - level, a[k]);
    for (int d = -kShaveHalfWidth; d <= kShaveHalfWidth; ++d) {
      const auto q = static_cast<std::ptrdiff_t>(k) + d;
      // The first and last values stay at zero.
      if (q > 0 && q + 1 < static_cast<std::ptrdiff_t>(a.size())) {
        a[static_cast<std::size_t>(q)] -= excess * bump[d + kShaveHalfWidth];
      }
    }
  }
}

// The band's periods of the fine grid with both ends.
std::vector<double> BandPeriods(double start, double end) {
  std::vector<double> periods{start};
  for (const double t : DefaultPeriods()) {
    if (t > start * (1 + 1e-9) && t < end * (1 - 1e-9)) periods.push_back(t);
  }
  if (end > start) periods.push_back(end);
  return periods;
}

struct Fit {
  std::vector<double> periods;
  std::vector<double> sa;
  double damping = 0;
};

std::vector<double> Psa(const std::vector<double>& acceleration, double step,
                        const std::vector<double>& periods, double damping) {
  GroundMotion motion;
  motion.step = step;
  motion.acceleration = acceleration;
  SpectrumOptions options;
  options.periods = periods;
  options.damping = damping;
  return ComputeSpectrum(motion, options)->psa;
}

void ScaleToPeak(std::vector<double>& a, double target) {
  std::size_t peak = 0;
  for (std::size_t k = 1; k < a.size(); ++k) {
    if (std::fabs(a[k]) > std::fabs(a[peak])) peak = k;
  }
  const double factor = target / std::fabs(a[peak]);
  for (double& x : a) x *= factor;
  a[peak] = std::copysign(target, a[peak]);
}

// Velocity and displacement after the last value, acceleration linear between the values, in
// units of the acceleration times s and s2.
void EndTravel(const std::vector<double>& a, double step, double& velocity, double& displacement) {
  velocity = 0;
  displacement = 0;
  for (std::size_t k = 0; k + 1 < a.size(); ++k) {
    displacement += velocity * step + (2 * a[k] + a[k + 1]) * step * step / 6;
    velocity += (a[k] + a[k + 1]) * step / 2;
  }
}

// A sum of products in a fixed order of eight running sums: quicker than one, and the same bits
// on every machine; compiled besides for processors with wider vectors, which add the same
// sums in the same order.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target_clones("arch=x86-64-v3", "default")))
#endif
double
Dot(const double* x, const double* y, std::size_t n) {
  double t[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  std::size_t k = 0;
  for (; k + 8 <= n; k += 8) {
    for (std::size_t j = 0; j < 8; ++j) t[j] += x[k + j] * y[k + j];
  }
  for (; k < n; ++k) t[0] += x[k] * y[k];
  return ((t[0] + t[1]) + (t[2] + t[3])) + ((t[4] + t[5]) + (t[6] + t[7]));
}

// Solves m x = b by Gaussian elimination with partial pivoting; a pivot that vanishes leaves
// its unknown at zero.
std::vector<double> Solve(std::vector<std::vector<double>> m, std::vector<double> b) {
  const std::size_t n = b.size();
  for (std::size_t c = 0; c < n; ++c) {
    std::size_t pivot = c;
    for (std::size_t r = c + 1; r < n; ++r) {
      if (std::fabs(m[r][c]) > std::fabs(m[pivot][c])) pivot = r;
    }
    std::swap(m[c], m[pivot]);
    std::swap(b[c], b[pivot]);
    if (m[c][c] == 0) continue;
    for (std::size_t r = c + 1; r < n; ++r) {
      const double f = m[r][c] / m[c][c];
      if (f == 0) continue;
      for (std::size_t k = c; k < n; ++k) m[r][k] -= f * m[c][k];
      b[r] -= f * b[c];
    }
  }
  std::vector<double> x(n, 0.0);
  for (std::size_t c = n; c-- > 0;) {
    if (m[c][c] == 0) continue;
    double sum = b[c];
    for (std::size_t k = c + 1; k < n; ++k) sum -= m[c][k] * x[k];
    x[c] = sum / m[c][c];
  }
  return x;
}

// A tapered cosine wavelet at one period, sampled at the record's time points from first on.
struct Wavelet {
  std::size_t first = 0;
  std::vector<double> values;
  double halfShare = 0;  // the slow waves that bring it to rest, per unit
  double wholeShare = 0;
};

// The wavelet of one period about a crest of its oscillator's response, at the offsets
// -before, ..., after time points from the crest.
struct WaveletShape {
  std::size_t before = 0;
  std::vector<double> values;
};

// Placed so that the oscillator of its own period responds with a crest at offset 0: a damped
// oscillator lags its driving cosine by acos(damping) / omega_d.
WaveletShape MakeShape(double period, double damping, double step, std::size_t count) {
  const double omegaD = 2 * kPi / period * std::sqrt(1 - damping * damping);
  double lag = kPi / 2 - damping;  // acos(damping), by Newton's method
  for (int i = 0; i < 8; ++i) lag += (PlainCos(lag) - damping) / PlainSin(lag);
  const double shift = lag / omegaD;  // from the wavelet's centre to the crest
  const double width =
      std::fmin(kWaveletWidth * period, kWidthCap * static_cast<double>(count - 1) * step);
  const double reach = kWaveletReach * width;
  WaveletShape shape;
  shape.before = static_cast<std::size_t>(std::floor((shift + reach) / step));
  const auto after = static_cast<std::ptrdiff_t>(std::floor(std::fmax(reach - shift, 0.0) / step));
  // The cosine by rotation and the Gaussian by its ratio from one point to the next, started
  // afresh every so many points: a few multiplications a point instead of two functions.
  constexpr std::ptrdiff_t kRestart = 64;
  const double turnCos = PlainCos(omegaD * step);
  const double turnSin = PlainSin(omegaD * step);
  const double ratioRatio = PlainExp(-2 * (step / width) * (step / width));
  double c = 0;
  double sn = 0;
  double g = 0;
  double ratio = 0;
  for (auto d = -static_cast<std::ptrdiff_t>(shape.before); d <= after; ++d) {
    if ((d + static_cast<std::ptrdiff_t>(shape.before)) % kRestart == 0) {
      const double tau = static_cast<double>(d) * step + shift;
      c = PlainCos(omegaD * tau);
      sn = PlainSin(omegaD * tau);
      g = PlainExp(-(tau / width) * (tau / width));
      ratio = PlainExp(-(2 * tau * step + step * step) / (width * width));
    }
    shape.values.push_back(c * g);
    const double c1 = c * turnCos - sn * turnSin;
    sn = sn * turnCos + c * turnSin;
    c = c1;
    g *= ratio;
    ratio *= ratioRatio;
  }
  return shape;
}

// The shape placed at a crest, cut to the record's time points.
Wavelet PlaceWavelet(const WaveletShape& shape, std::size_t peak, std::size_t count) {
  Wavelet wavelet;
  const std::size_t skip = shape.before > peak ? shape.before - peak : 0;
  wavelet.first = peak + skip - shape.before;
  const std::size_t room = count - wavelet.first;
  const std::size_t length = std::min(shape.values.size() - skip, room);
  wavelet.values.assign(shape.values.begin() + static_cast<std::ptrdiff_t>(skip),
                        shape.values.begin() + static_cast<std::ptrdiff_t>(skip + length));
  return wavelet;
}

struct Corrected {
  std::size_t index;  // into the fit's periods
  std::size_t peak;   // time point of the largest response
  // The impulse response backwards from the crest: impulse[peak - k] at backwards[k], so that
  // each sum with the record's values runs forwards in both. Crests of one period share it.
  std::shared_ptr<const std::vector<double>> reversed;
  const double* backwards;
  double peakValue;     // the response there
  double change;        // its wanted change, as a fraction of |peakValue|
  double halfResponse;  // its response to the slow waves of the baseline correction
  double wholeResponse;
};

class Matcher {
 public:
  Matcher(const Fit& fit, const ArtificialOptions& options)
      : fit_(fit),
        options_(options),
        shapes_(fit.periods.size()),
        oscillators_(fit.periods.size()),
        impulses_(fit.periods.size()) {
    const std::size_t n =
        static_cast<std::size_t>(std::llround(options.duration / options.step)) + 1;
    fade_.resize(n);
    const double end = static_cast<double>(n - 1) * options.step;
    for (std::size_t k = 0; k < n; ++k) {
      const double t = static_cast<double>(k) * options.step;
      const double toEnd = end - t;
      double f = 1;
      if (toEnd < kEndFade) f = 0.5 - 0.5 * PlainCos(kPi * toEnd / kEndFade);
      if (t < kEndFade) f *= 0.5 - 0.5 * PlainCos(kPi * t / kEndFade);
      fade_[k] = f;
    }
    // Two slow sine waves, a half and a whole one over the record: they act far beyond the
    // fitted periods and are zero at both ends.
    half_.resize(n);
    whole_.resize(n);
    const double last = static_cast<double>(n - 1);
    for (std::size_t k = 0; k < n; ++k) {
      half_[k] = PlainSin(kPi * static_cast<double>(k) / last);
      whole_[k] = PlainSin(2 * kPi * static_cast<double>(k) / last);
    }
    half_.back() = 0;  // sin(pi) in floating point is not quite zero
    whole_.back() = 0;
    EndTravel(half_, options.step, halfEnd_[0], halfEnd_[1]);
    EndTravel(whole_, options.step, wholeEnd_[0], wholeEnd_[1]);
    determinant_ = halfEnd_[0] * wholeEnd_[1] - wholeEnd_[0] * halfEnd_[1];
  }

  // One round of corrections at the periods that miss, given their PSA. Each wavelet comes
  // with the slow waves that keep the ground at rest, and the system is solved for the
  // responses to both together, so that the baseline correction does not undo the fit.
  void Correct(std::vector<double>& a, const std::vector<double>& psa) const {
    const std::vector<std::size_t> chosen = Choose(psa);
    if (chosen.empty()) return;
    std::vector<Corrected> corrected;
    std::vector<Wavelet> wavelets;
    std::vector<std::vector<double>> block;
    for (std::size_t c = 0; c < chosen.size(); ++c) {
      const std::size_t i = chosen[c];
      if (c % kBlock == 0) block = DisplacementsOf(chosen, c, a);
      const std::vector<double>& u = block[c % kBlock];
      std::size_t top = 0;
      for (std::size_t n = 1; n < u.size(); ++n) {
        if (std::fabs(u[n]) > std::fabs(u[top])) top = n;
      }
      const double ratio = fit_.sa[i] / psa[i];
      // The crests to correct: the largest one, and when the response is too high, every
      // other crest above the target too (a period apart), or it becomes the new peak.
      std::vector<std::size_t> crests{top};
      {
        std::vector<std::size_t> high;
        const double level = std::fabs(u[top]) * std::fmin(ratio, kRaisedShare);
        for (std::size_t n = 1; n + 1 < u.size(); ++n) {
          const double x = std::fabs(u[n]);
          if (x > level && x >= std::fabs(u[n - 1]) && x >= std::fabs(u[n + 1]) && n != top) {
            high.push_back(n);
          }
        }
        std::stable_sort(high.begin(), high.end(), [&](std::size_t x, std::size_t y) {
          return std::fabs(u[x]) > std::fabs(u[y]);
        });
        const double apart = fit_.periods[i] / options_.step * kCrestSpacing;
        for (const std::size_t n : high) {
          if (crests.size() >= kMostCrests) break;
          const bool far = std::all_of(crests.begin(), crests.end(), [&](std::size_t c) {
            return std::fabs(static_cast<double>(n) - static_cast<double>(c)) >= apart;
          });
          if (far) crests.push_back(n);
        }
      }
      const std::size_t last = *std::max_element(crests.begin(), crests.end());
      const std::shared_ptr<const std::vector<double>> reversed = ReversedImpulse(i, last + 1);
      for (const std::size_t n : crests) {
        const double wanted = std::fabs(u[top]) * ratio / std::fabs(u[n]) - 1;
        const double* backwards = reversed->data() + (reversed->size() - 1 - n);
        Corrected c{i,
                    n,
                    reversed,
                    backwards,
                    u[n],
                    wanted * (u[n] < 0 ? -1 : 1),
                    Dot(backwards, half_.data(), n + 1),
                    Dot(backwards, whole_.data(), n + 1)};
        corrected.push_back(std::move(c));
        if (shapes_[i].values.empty()) {
          shapes_[i] = MakeShape(fit_.periods[i], fit_.damping, options_.step, a.size());
        }
        Wavelet w = PlaceWavelet(shapes_[i], n, a.size());
        for (std::size_t k = 0; k < w.values.size(); ++k) w.values[k] *= fade_[w.first + k];
        Baseline(w, a.size(), w.halfShare, w.wholeShare);
        wavelets.push_back(std::move(w));
      }
    }
    const std::size_t m = corrected.size();
    // The other periods of the band are watched too, a few per cent apart, so that the
    // corrections do not push the periods between those corrected out of the tolerance.
    std::vector<std::size_t> watched;
    double lastWatched = 0;
    for (std::size_t i = 0; i < fit_.periods.size(); ++i) {
      const double t = fit_.periods[i];
      if (t < kShortestCorrected * options_.step) continue;
      if (t < lastWatched * kWatchedSpacing) continue;
      lastWatched = t;
      if (std::find(chosen.begin(), chosen.end(), i) == chosen.end()) watched.push_back(i);
    }
    for (std::size_t w = 0; w < watched.size(); ++w) {
      const std::size_t i = watched[w];
      if (w % kBlock == 0) block = DisplacementsOf(watched, w, a);
      const std::vector<double>& u = block[w % kBlock];
      std::size_t top = 0;
      for (std::size_t n = 1; n < u.size(); ++n) {
        if (std::fabs(u[n]) > std::fabs(u[top])) top = n;
      }
      const std::shared_ptr<const std::vector<double>> reversed = ReversedImpulse(i, top + 1);
      const double wanted = fit_.sa[i] / psa[i] - 1;
      const double* backwards = reversed->data() + (reversed->size() - 1 - top);
      Corrected c{i,
                  top,
                  reversed,
                  backwards,
                  u[top],
                  wanted * (u[top] < 0 ? -1 : 1),
                  Dot(backwards, half_.data(), top + 1),
                  Dot(backwards, whole_.data(), top + 1)};
      corrected.push_back(std::move(c));
    }
    // s[i][j]: the relative change of response i per relative amplitude of wavelet j, where
    // amplitude j is measured by the change it makes to its own response.
    std::vector<std::vector<double>> s(corrected.size(), std::vector<double>(m));
    for (std::size_t i = 0; i < corrected.size(); ++i) {
      const Corrected& c = corrected[i];
      // Values further back than the impulse response takes to die away add nothing.
      const double decay = fit_.damping * 2 * kPi / fit_.periods[c.index] * options_.step;
      const double memory = decay > 0 ? kImpulseMemory / decay : HUGE_VAL;
      const std::size_t oldest =
          memory < static_cast<double>(c.peak) ? c.peak - static_cast<std::size_t>(memory) : 0;
      for (std::size_t j = 0; j < m; ++j) {
        const Wavelet& w = wavelets[j];
        double sum = 0;
        const std::size_t from = std::max(w.first, oldest);
        if (from <= c.peak && from < w.first + w.values.size()) {
          sum = Dot(c.backwards + from, w.values.data() + (from - w.first),
                    std::min(w.first + w.values.size(), c.peak + 1) - from);
        }
        s[i][j] = sum - w.halfShare * c.halfResponse - w.wholeShare * c.wholeResponse;
      }
    }
    std::vector<double> own(m);
    for (std::size_t j = 0; j < m; ++j) own[j] = s[j][j];
    for (std::size_t i = 0; i < corrected.size(); ++i) {
      for (std::size_t j = 0; j < m; ++j) {
        s[i][j] *= std::fabs(corrected[j].peakValue) / (own[j] * std::fabs(corrected[i].peakValue));
      }
    }
    std::vector<double> change(corrected.size());
    for (std::size_t i = 0; i < corrected.size(); ++i) change[i] = corrected[i].change;
    // The largest values of the record are held where they are, so that the scaling to the
    // target peak does not move the whole spectrum after the corrections.
    const double target = options_.targetPga;
    std::vector<std::size_t> high;
    for (std::size_t k = 1; k + 1 < a.size(); ++k) {
      const double x = std::fabs(a[k]);
      if (x > kHeldShare * target && x >= std::fabs(a[k - 1]) && x >= std::fabs(a[k + 1])) {
        high.push_back(k);
      }
    }
    std::stable_sort(high.begin(), high.end(), [&](std::size_t x, std::size_t y) {
      return std::fabs(a[x]) > std::fabs(a[y]);
    });
    if (high.size() > kMostHeld) high.resize(kMostHeld);
    for (const std::size_t p : high) {
      std::vector<double> row(m);
      for (std::size_t j = 0; j < m; ++j) {
        const Wavelet& w = wavelets[j];
        double value = -(w.halfShare * half_[p] + w.wholeShare * whole_[p]);
        if (p >= w.first && p - w.first < w.values.size()) value += w.values[p - w.first];
        row[j] = kHeldWeight * value * std::fabs(corrected[j].peakValue) / (own[j] * target);
      }
      s.push_back(std::move(row));
      const double wanted =
          p == high.front() ? target : std::fmin(std::fabs(a[p]), kHeldBelow * target);
      change.push_back(kHeldWeight * (wanted - std::fabs(a[p])) / target * (a[p] < 0 ? -1 : 1));
    }
    const std::size_t rows = s.size();
    // Least squares with a little damping: the system is only as good as the peaks stay put.
    std::vector<std::vector<double>> columns(m, std::vector<double>(rows));
    for (std::size_t k = 0; k < rows; ++k) {
      for (std::size_t j = 0; j < m; ++j) columns[j][k] = s[k][j];
    }
    std::vector<std::vector<double>> normal(m, std::vector<double>(m, 0.0));
    std::vector<double> right(m, 0.0);
    for (std::size_t i = 0; i < m; ++i) {
      for (std::size_t j = i; j < m; ++j) {
        normal[i][j] = Dot(columns[i].data(), columns[j].data(), rows) + (i == j ? kDamping : 0);
        normal[j][i] = normal[i][j];
      }
      right[i] = Dot(columns[i].data(), change.data(), rows);
    }
    const std::vector<double> x = Solve(normal, right);
    double halfShare = 0;
    double wholeShare = 0;
    for (std::size_t j = 0; j < m; ++j) {
      const double amplitude = x[j] * std::fabs(corrected[j].peakValue) / own[j];
      const Wavelet& w = wavelets[j];
      for (std::size_t k = 0; k < w.values.size(); ++k) a[w.first + k] += amplitude * w.values[k];
      halfShare += amplitude * w.halfShare;
      wholeShare += amplitude * w.wholeShare;
    }
    for (std::size_t k = 0; k < a.size(); ++k)
      a[k] -= halfShare * half_[k] + wholeShare * whole_[k];
  }

  // The amounts of the two slow waves that bring a series to rest.
  void Baseline(const std::vector<double>& x, double& halfShare, double& wholeShare) const {
    double v = 0;
    double d = 0;
    EndTravel(x, options_.step, v, d);
    halfShare = (v * wholeEnd_[1] - wholeEnd_[0] * d) / determinant_;
    wholeShare = (halfEnd_[0] * d - v * halfEnd_[1]) / determinant_;
  }

  // The same for a wavelet, zero outside its values, without the record's length of zeros:
  // the same sums, as adding zero changes none of them.
  void Baseline(const Wavelet& w, std::size_t count, double& halfShare, double& wholeShare) const {
    double v = 0;
    double d = 0;
    const std::size_t from = w.first > 0 ? w.first - 1 : 0;
    const std::size_t to = std::min(w.first + w.values.size() + 1, count);
    const auto at = [&](std::size_t k) {
      return k >= w.first && k - w.first < w.values.size() ? w.values[k - w.first] : 0.0;
    };
    const double step = options_.step;
    for (std::size_t k = from; k + 1 < to; ++k) {
      d += v * step + (2 * at(k) + at(k + 1)) * step * step / 6;
      v += (at(k) + at(k + 1)) * step / 2;
    }
    for (std::size_t k = to > 0 ? to - 1 : 0; k + 1 < count; ++k) d += v * step;
    halfShare = (v * wholeEnd_[1] - wholeEnd_[0] * d) / determinant_;
    wholeShare = (halfEnd_[0] * d - v * halfEnd_[1]) / determinant_;
  }

  void CorrectBaseline(std::vector<double>& a) const {
    double h = 0;
    double w = 0;
    Baseline(a, h, w);
    for (std::size_t k = 0; k < a.size(); ++k) a[k] -= h * half_[k] + w * whole_[k];
  }

  const std::vector<double>& fade() const { return fade_; }

 private:
  // The displacements of the oscillators of up to a block of the periods, from the first.
  std::vector<std::vector<double>> DisplacementsOf(const std::vector<std::size_t>& indices,
                                                   std::size_t first,
                                                   const std::vector<double>& a) const {
    std::vector<const SampledOscillator*> oscillators;
    for (std::size_t k = first; k < std::min(first + kBlock, indices.size()); ++k) {
      oscillators.push_back(&OscillatorOf(indices[k]));
    }
    return SampledOscillator::Displacements(oscillators, a);
  }

  // The impulse response of a period reversed, at least this long: of the whole record, kept,
  // when that is not too long to keep for every period.
  std::shared_ptr<const std::vector<double>> ReversedImpulse(std::size_t i,
                                                             std::size_t length) const {
    if (impulses_[i]) return impulses_[i];
    const std::size_t count = fade_.size();
    const bool keep = count <= kMostKeptImpulse;
    auto reversed =
        std::make_shared<std::vector<double>>(OscillatorOf(i).Impulse(keep ? count : length));
    std::reverse(reversed->begin(), reversed->end());
    if (keep) impulses_[i] = reversed;
    return reversed;
  }

  // Its constants take a matrix exponential: made once per period, when first needed.
  const SampledOscillator& OscillatorOf(std::size_t i) const {
    if (!oscillators_[i]) oscillators_[i].emplace(fit_.periods[i], fit_.damping, options_.step);
    return *oscillators_[i];
  }

  // The periods to correct: the worst misses first, each far enough from those chosen before.
  std::vector<std::size_t> Choose(const std::vector<double>& psa) const {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < psa.size(); ++i) {
      const double miss = std::fabs(psa[i] / fit_.sa[i] - 1);
      if (fit_.periods[i] >= kShortestCorrected * options_.step &&
          miss > kCorrectedShare * options_.tolerance) {
        order.push_back(i);
      }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
      return std::fabs(psa[x] / fit_.sa[x] - 1) > std::fabs(psa[y] / fit_.sa[y] - 1);
    });
    std::vector<std::size_t> chosen;
    for (const std::size_t i : order) {
      const double t = fit_.periods[i];
      const bool apart = std::all_of(chosen.begin(), chosen.end(), [&](std::size_t c) {
        const double ratio = t > fit_.periods[c] ? t / fit_.periods[c] : fit_.periods[c] / t;
        return ratio >= kCorrectedSpacing;
      });
      if (apart) chosen.push_back(i);
    }
    return chosen;
  }

  const Fit& fit_;
  const ArtificialOptions& options_;
  std::vector<double> fade_;
  mutable std::vector<WaveletShape> shapes_;  // of each period, made when first needed
  mutable std::vector<std::optional<SampledOscillator>> oscillators_;
  mutable std::vector<std::shared_ptr<const std::vector<double>>> impulses_;
  std::vector<double> half_, whole_;
  double halfEnd_[2] = {0, 0};  // velocity and displacement after the last value
  double wholeEnd_[2] = {0, 0};
  double determinant_ = 1;
};

// The start: a random-phase series whose Fourier amplitudes follow the target's power spectrum,
// shaped by the envelope, its amplitudes then fitted a few rounds by target / computed PSA.
std::vector<double> AmplitudeFit(const Fit& fit, const DesignSpectrum& design,
                                 const ArtificialOptions& options, std::uint64_t phaseSeed,
                                 const std::vector<double>& fade) {
  const std::size_t n = fade.size();
  const double step = options.step;
  std::vector<double> shape(n);
  for (std::size_t k = 0; k < n; ++k) {
    shape[k] = options.envelope.At(static_cast<double>(k) * step) * fade[k];
  }
  RandomSequence random(phaseSeed);
  std::vector<std::complex<double>> coefficients(n / 2 + 1);
  std::vector<double> periods(coefficients.size(), 0.0);
  for (std::size_t j = 1; j < coefficients.size(); ++j) {
    periods[j] = static_cast<double>(n) * step / static_cast<double>(j);
    // PSA grows as the square root of the power spectrum times the frequency.
    const double amplitude = SaAt(design, periods[j]) * std::sqrt(periods[j]);
    const double phase = 2 * kPi * random.Uniform();
    coefficients[j] = {amplitude * PlainCos(phase), amplitude * PlainSin(phase)};
  }
  // The amplitude fit's own control periods, evenly spaced in log T over the band.
  const double first = std::max(fit.periods.front(), kShortestCorrected * step);
  const double last = fit.periods.back();
  std::vector<double> controls;
  std::vector<double> controlSa;
  if (last > first) {
    const double ratio = PlainLog(last / first) / static_cast<double>(kAmplitudeControls - 1);
    for (std::size_t i = 0; i < kAmplitudeControls; ++i) {
      controls.push_back(first * PlainExp(ratio * static_cast<double>(i)));
      controlSa.push_back(SaAt(design, controls.back()));
    }
  }
  RealSynthesis synthesis(n);
  std::vector<double> a;
  for (int round = 0;; ++round) {
    a = synthesis.Series(coefficients);
    for (std::size_t k = 0; k < n; ++k) a[k] *= shape[k];
    ScaleToPeak(a, options.targetPga);
    if (round == kAmplitudeRounds || controls.empty()) break;
    const std::vector<double> psa = Psa(a, step, controls, fit.damping);
    std::size_t c = controls.size() - 1;
    for (std::size_t j = 1; j < coefficients.size(); ++j) {
      // Periods fall as j rises; ratios outside the controls are those of the nearest one.
      while (c > 0 && controls[c] > periods[j]) --c;
      double ratio;
      if (periods[j] >= controls.back()) {
        ratio = controlSa.back() / psa.back();
      } else if (periods[j] <= controls.front()) {
        ratio = controlSa.front() / psa.front();
      } else {
        const double w = (periods[j] - controls[c]) / (controls[c + 1] - controls[c]);
        ratio = (1 - w) * controlSa[c] / psa[c] + w * controlSa[c + 1] / psa[c + 1];
      }
      coefficients[j] *= ratio;
    }
  }
  // FFTW's result may differ between processors in its last bits: a coarse grid makes the
  // values the rest starts from the same everywhere.
  int exponent = 0;
  std::frexp(options.targetPga, &exponent);
  const double grid = std::ldexp(1.0, exponent - 21);
  for (double& x : a) x = std::nearbyint(x / grid) * grid;
  return a;
}

}  // namespace

void CheckArtificialInputs(const DesignSpectrum& design, const ArtificialOptions& options) {
  const auto positive = [](double x) { return x > 0 && std::isfinite(x); };
  if (!positive(options.targetPga)) {
    throw std::invalid_argument("The target peak ground acceleration must be above 0.");
  }
  if (!(design.damping >= 0 && design.damping < 1)) {
    throw std::invalid_argument("The damping ratio must be at least 0 and below 1.");
  }
  if (!positive(options.step) || options.step > kLongestStep) {
    throw std::invalid_argument("The time step must be above 0 and at most " +
                                FormatGeneral(kLongestStep, ".") + " s.");
  }
  if (!positive(options.duration) || options.duration < 4 * kEndFade) {
    throw std::invalid_argument("The duration must be at least " +
                                FormatGeneral(4 * kEndFade, ".") + " s.");
  }
  if (options.duration / options.step + 1 > static_cast<double>(kMostValues)) {
    throw std::invalid_argument("The record would have more than " + std::to_string(kMostValues) +
                                " values: take a longer time step or a shorter duration.");
  }
  const IntensityEnvelope& e = options.envelope;
  if (!positive(e.rise) || !positive(e.decay) || !(e.flatEnd >= e.rise) ||
      !std::isfinite(e.flatEnd)) {
    throw std::invalid_argument(
        "The envelope needs T1 above 0, T2 at least T1 and a decay C above 0.");
  }
  if (!(options.bandStart >= kMinimumPeriod && options.bandStart < options.bandEnd &&
        options.bandEnd <= 6)) {
    throw std::invalid_argument("The band must run from at least " +
                                FormatGeneral(kMinimumPeriod, ".") + " s to at most 6 s.");
  }
  if (!positive(options.tolerance)) {
    throw std::invalid_argument("The tolerance must be above 0 %.");
  }
  if (options.iterationLimit < 1) {
    throw std::invalid_argument("The iteration limit must be at least 1.");
  }
}

std::optional<ArtificialResult> GenerateArtificial(const DesignSpectrum& design,
                                                   const ArtificialOptions& options,
                                                   const ArtificialProgress& progress) {
  CheckArtificialInputs(design, options);
  Fit fit;
  fit.periods = BandPeriods(options.bandStart, options.bandEnd);
  fit.damping = design.damping;
  for (const double t : fit.periods) fit.sa.push_back(SaAt(design, t));

  const Matcher matcher(fit, options);
  ArtificialResult result;
  result.worstDeviation = HUGE_VAL;
  std::vector<double> a;
  int rounds = 0;  // of corrections, over all attempts
  for (std::uint64_t attempt = 0; !result.reached; ++attempt) {
    // The first attempt's phases come from the seed itself, later ones from streams apart.
    a = AmplitudeFit(fit, design, options, options.seed + attempt * 0x9E3779B97F4A7C15u,
                     matcher.fade());
    for (int round = 0;; ++round) {
      matcher.CorrectBaseline(a);
      ScaleToPeak(a, options.targetPga);
      std::vector<double> psa = Psa(a, options.step, fit.periods, fit.damping);
      std::size_t worst = 0;
      for (std::size_t i = 0; i < psa.size(); ++i) {
        if (std::fabs(psa[i] / fit.sa[i] - 1) > std::fabs(psa[worst] / fit.sa[worst] - 1)) {
          worst = i;
        }
      }
      const double deviation = psa[worst] / fit.sa[worst] - 1;
      if (std::fabs(deviation) < std::fabs(result.worstDeviation)) {
        result.worstDeviation = deviation;
        result.worstPeriod = fit.periods[worst];
      }
      result.iterations = rounds;
      if (std::fabs(deviation) <= options.tolerance) {
        result.reached = true;
        result.worstDeviation = deviation;
        result.worstPeriod = fit.periods[worst];
        break;
      }
      if (rounds == options.iterationLimit) return result;
      if (round == kAttemptRounds) break;
      ++rounds;
      if (progress && !progress(static_cast<double>(rounds) / options.iterationLimit)) {
        return std::nullopt;
      }
      // The exact spectra may differ between processors in their last bits (the library's
      // exponential and circular functions, fused multiply-adds where the processor has them);
      // the corrections see them on a grid a million times coarser, so that every machine
      // makes the same ones, short of a value that falls within those bits of a grid line.
      const auto seenOf = [&](const std::vector<double>& values) {
        std::vector<double> seen(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
          seen[i] = fit.sa[i] * (std::nearbyint(values[i] / fit.sa[i] * kSeenGrid) / kSeenGrid);
        }
        return seen;
      };
      std::vector<double> seen = seenOf(psa);
      // A spectrum low almost everywhere is one the scaling to the target peak holds down: the
      // corrections would raise the peak with it.
      std::vector<double> ratios(seen.size());
      for (std::size_t i = 0; i < seen.size(); ++i) ratios[i] = seen[i] / fit.sa[i];
      const auto middle = ratios.begin() + static_cast<std::ptrdiff_t>(ratios.size() / 2);
      std::nth_element(ratios.begin(), middle, ratios.end());
      if (*middle < 1 - kShavedBelow * options.tolerance) {
        ShavePeaks(a, options.targetPga * *middle);
        matcher.CorrectBaseline(a);
        ScaleToPeak(a, options.targetPga);
        seen = seenOf(Psa(a, options.step, fit.periods, fit.damping));
      }
      matcher.Correct(a, seen);
    }
  }
  if (result.reached) {
    result.motion.step = options.step;
    result.motion.acceleration = std::move(a);
    const GroundTravel travel = IntegrateGround(result.motion);
    result.peakVelocity = travel.peakVelocity;
    result.endVelocity = travel.endVelocity;
    result.peakDisplacement = travel.peakDisplacement;
    result.endDisplacement = travel.endDisplacement;
  }
  return result;
}

GroundTravel IntegrateGround(const GroundMotion& motion) {
  GroundTravel travel;
  const std::vector<double>& a = motion.acceleration;
  const double h = motion.step;
  double v = 0;
  double d = 0;
  for (std::size_t k = 0; k + 1 < a.size(); ++k) {
    d += v * h + (2 * a[k] + a[k + 1]) * h * h / 6;
    v += (a[k] + a[k + 1]) * h / 2;
    travel.peakVelocity = std::fmax(travel.peakVelocity, std::fabs(v) * kGravity);
    travel.peakDisplacement = std::fmax(travel.peakDisplacement, std::fabs(d) * kGravity);
  }
  travel.endVelocity = v * kGravity;
  travel.endDisplacement = d * kGravity;
  return travel;
}

namespace {

// Fifteen significant digits, as the program shows its numbers, with "." in any locale.
std::string Readable(double value) {
  char text[32];
  return {text, std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15).ptr};
}

std::string Fixed(double value, int decimals) {
  char text[64];
  return {text,
          std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr};
}

}  // namespace

RecordHeader DescribeArtificial(const DesignSpectrum& design, const ArtificialOptions& options,
                                const ArtificialResult& result) {
  RecordHeader description;
  description.title = "Tremvale artificial ground motion, seed " + std::to_string(options.seed);
  description.detail = "Fitted to " + design.GetCodeName() + " design spectrum \"" + design.name +
                       "\": AlphaMax " + Readable(design.alphaMax) + ", Tg " + Readable(design.tg) +
                       " s, damping " + Readable(design.damping) + "; PGA " +
                       Readable(options.targetPga) + " g; PSA within " +
                       Fixed(std::fabs(result.worstDeviation) * 100, 2) + " % of Sa from " +
                       Readable(options.bandStart) + " to " + Readable(options.bandEnd) +
                       " s (worst at " + Readable(result.worstPeriod) + " s)";
  return description;
}
