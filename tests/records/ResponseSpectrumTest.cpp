// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/ResponseSpectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "tests/records/RecordsTestData.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr SpectrumKernel kKernels[] = {SpectrumKernel::Vectorised, SpectrumKernel::Scalar};
constexpr SpectrumKernel kEveryKernel[] = {SpectrumKernel::Vectorised, SpectrumKernel::Avx512,
                                           SpectrumKernel::Avx2, SpectrumKernel::Plain,
                                           SpectrumKernel::Scalar};

ResponseSpectrum Spectrum(const GroundMotion& motion, std::vector<double> periods, double damping,
                          bool freeVibration = false,
                          SpectrumKernel kernel = SpectrumKernel::Vectorised) {
  SpectrumOptions options;
  options.periods = std::move(periods);
  options.damping = damping;
  options.freeVibration = freeVibration;
  options.kernel = kernel;
  return *ComputeSpectrum(motion, options);
}

// Displacement of the oscillator from rest under ground acceleration a0 + slope * t, and under
// a sine at resonance: the closed forms the recurrence must reproduce.
struct Oscillator {
  double period, damping;
  double w() const { return 2 * kPi / period; }
  double wd() const { return w() * std::sqrt(1 - damping * damping); }

  double UnderLine(double a0, double slope, double t) const { return LineMotion(a0, slope, t).u; }
  // -(w^2 u + 2 damping w u'): the absolute acceleration.
  double AbsoluteUnderLine(double a0, double slope, double t) const {
    const State m = LineMotion(a0, slope, t);
    return -(w() * w() * m.u + 2 * damping * w() * m.v);
  }
  struct State {
    double u, v;
  };
  State LineMotion(double a0, double slope, double t) const {
    const double w2 = w() * w();
    const double a = damping * w();
    const double c1 = -slope / w2;
    const double c0 = (-a0 - 2 * a * c1) / w2;
    const double A = -c0;
    const double B = (-c1 + a * A) / wd();
    const double decay = std::exp(-a * t);
    const double c = std::cos(wd() * t);
    const double s = std::sin(wd() * t);
    return {c0 + c1 * t + decay * (A * c + B * s),
            c1 + decay * ((-a * A + wd() * B) * c + (-a * B - wd() * A) * s)};
  }
  double UnderResonantSine(double amplitude, double t) const {
    const double c = amplitude / (2 * damping * w() * w());
    return c * std::cos(w() * t) -
           c * std::exp(-damping * w() * t) *
               (std::cos(wd() * t) + damping * w() / wd() * std::sin(wd() * t));
  }
};

// max |u(t)| for 0 <= t <= end: a dense search, then ternary search around the best point.
double LargestOnInterval(const std::function<double(double)>& u, double end) {
  constexpr int kPoints = 200000;
  int best = 0;
  for (int j = 1; j <= kPoints; ++j) {
    if (std::fabs(u(end * j / kPoints)) > std::fabs(u(end * best / kPoints))) best = j;
  }
  double low = end * std::max(best - 1, 0) / kPoints;
  double high = end * std::min(best + 1, kPoints) / kPoints;
  for (int i = 0; i < 200; ++i) {
    const double m1 = low + (high - low) / 3;
    const double m2 = high - (high - low) / 3;
    if (std::fabs(u(m1)) < std::fabs(u(m2))) {
      low = m1;
    } else {
      high = m2;
    }
  }
  return std::max({std::fabs(u(low)), std::fabs(u(high)), std::fabs(u(end))});
}

struct StepCase {
  double period, damping, step;
};

class ConstantAccelerationTest : public ::testing::TestWithParam<StepCase> {};

// A sudden constant ground acceleration a: the first crest, at half a damped period, is
// (a / w^2) (1 + exp(-pi zeta / sqrt(1 - zeta^2))), and no later one is higher.
TEST_P(ConstantAccelerationTest, PeakIsTheClosedFormCrest) {
  const StepCase c = GetParam();
  const double a = 0.3;
  const auto count = static_cast<std::size_t>(1.5 * c.period / c.step) + 3;
  const GroundMotion motion = Motion(c.step, std::vector<double>(count, a));
  const double expected =
      a * (1 + std::exp(-kPi * c.damping / std::sqrt(1 - c.damping * c.damping)));
  for (const SpectrumKernel kernel : kKernels) {
    const ResponseSpectrum s = Spectrum(motion, {c.period}, c.damping, false, kernel);
    EXPECT_NEAR(s.psa[0], expected, 1e-9 * expected) << c.period << " " << c.damping;
    const double w = 2 * kPi / c.period;
    EXPECT_NEAR(s.sd[0], expected * 9.80665 / (w * w), 1e-9 * s.sd[0]);
    EXPECT_NEAR(s.psv[0], expected * 9.80665 / w, 1e-9 * s.psv[0]);
    EXPECT_GE(s.sa[0], s.psa[0] * (1 - 1e-12));
    if (c.damping == 0) {
      EXPECT_NEAR(s.sa[0], s.psa[0], 1e-9 * expected);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ConstantAccelerationTest,
                         ::testing::Values(StepCase{1.0, 0.05, 0.02}, StepCase{0.1, 0.05, 0.013},
                                           StepCase{0.5, 0.0, 0.01}, StepCase{0.37, 0.0, 0.01},
                                           StepCase{2.0, 0.9, 0.05},
                                           // far shorter than the step: crests inside step one
                                           StepCase{0.002, 0.05, 0.02}, StepCase{0.0015, 0.0, 0.02},
                                           // far longer than the step
                                           StepCase{100.0, 0.05, 0.01},
                                           StepCase{40.0, 0.0, 0.005}));

TEST(ResponseSpectrumTest, GroundAccelerationLinearInTime) {
  const double step = 0.01;
  const double slope = 0.2;  // g/s
  std::vector<double> a;
  for (int k = 0; k <= 300; ++k) a.push_back(0.05 + slope * k * step);
  const GroundMotion motion = Motion(step, a);
  for (const double damping : {0.0, 0.05, 0.3}) {
    for (const double period : {0.07, 0.7, 3.0}) {
      const Oscillator o{period, damping};
      const double expected =
          o.w() * o.w() *
          LargestOnInterval([&](double t) { return o.UnderLine(0.05, slope, t); }, 3.0);
      const double expectedSa =
          LargestOnInterval([&](double t) { return o.AbsoluteUnderLine(0.05, slope, t); }, 3.0);
      for (const SpectrumKernel kernel : kKernels) {
        const ResponseSpectrum s = Spectrum(motion, {period}, damping, false, kernel);
        EXPECT_NEAR(s.psa[0], expected, 1e-9 * expected) << period << " " << damping;
        EXPECT_NEAR(s.sa[0], expectedSa, 1e-9 * expectedSa) << period << " " << damping;
      }
    }
  }
}

TEST(ResponseSpectrumTest, ResonanceUnderASineAtAFineStep) {
  for (const double damping : {0.02, 0.05, 0.2}) {
    const Oscillator o{0.5, damping};
    const double step = o.period / 2000;
    std::vector<double> a;
    for (int k = 0; k <= 20000; ++k) a.push_back(0.1 * std::sin(o.w() * k * step));
    const double expected =
        o.w() * o.w() *
        LargestOnInterval([&](double t) { return o.UnderResonantSine(0.1, t); }, 20000 * step);
    EXPECT_NEAR(Spectrum(Motion(step, a), {o.period}, damping).psa[0], expected, 2e-6 * expected)
        << damping;
  }
}

TEST(ResponseSpectrumTest, FreeVibrationAfterTheEndCounts) {
  // 0.3 g for 0.1 s, then the ground rests; undamped, T = 2 s.
  const GroundMotion motion = Motion(0.01, std::vector<double>(11, 0.3));
  const double w = kPi;
  EXPECT_NEAR(Spectrum(motion, {2.0}, 0.0, false).psa[0], 0.3 * (1 - std::cos(w * 0.1)), 1e-12);
  EXPECT_NEAR(Spectrum(motion, {2.0}, 0.0, true).psa[0], 2 * 0.3 * std::sin(w * 0.05), 1e-12);
}

TEST(ResponseSpectrumTest, ZeroPeriodGivesThePeakGroundAcceleration) {
  const auto record = ElCentro();
  if (!record) GTEST_SKIP() << "the El Centro record is not in " TREMVALE_RECORDS_DATA;
  const ResponseSpectrum s = Spectrum(*record, {0, 0.01, 0.003, 0.001}, 0.05, true);
  const double pga = 0.31882;
  EXPECT_EQ(s.psa[0], pga);
  EXPECT_EQ(s.sa[0], pga);
  EXPECT_EQ(s.sd[0], 0);
  EXPECT_EQ(s.psv[0], 0);
  // As T -> 0 the oscillator follows the ground, the difference shrinking with T.
  EXPECT_NEAR(s.psa[1], pga, 2e-2 * pga);
  EXPECT_NEAR(s.psa[2], pga, 3e-3 * pga);
  EXPECT_NEAR(s.psa[3], pga, 1e-3 * pga);
  EXPECT_LT(std::fabs(s.psa[3] - pga), std::fabs(s.psa[2] - pga));
}

// The record as it is and linearly interpolated to a step 400 times finer describe the same
// ground motion, so short periods, whose crests fall between the coarse time points, agree; so
// does SA, whose crests lie elsewhere than those of the displacement once there is damping.
TEST(ResponseSpectrumTest, CoarseStepAgreesWithTheRecordInterpolatedFinely) {
  const auto record = ElCentro();
  if (!record) GTEST_SKIP() << "the El Centro record is not in " TREMVALE_RECORDS_DATA;
  const std::vector<double>& coarse = record->acceleration;
  std::vector<double> fine;
  for (std::size_t k = 0; k + 1 < coarse.size(); ++k) {
    for (int j = 0; j < 400; ++j) fine.push_back(coarse[k] + (coarse[k + 1] - coarse[k]) * j / 400);
  }
  fine.push_back(coarse.back());
  const std::vector<double> periods = {0.015, 0.03, 0.05, 0.1, 0.25, 1.0};
  for (const double damping : {0.05, 0.2}) {
    const ResponseSpectrum a = Spectrum(*record, periods, damping, true);
    const ResponseSpectrum b = Spectrum(Motion(record->step / 400, fine), periods, damping, true);
    for (std::size_t i = 0; i < periods.size(); ++i) {
      EXPECT_NEAR(a.psa[i], b.psa[i], 1e-6 * b.psa[i]) << periods[i] << " " << damping;
      EXPECT_NEAR(a.sd[i], b.sd[i], 1e-6 * b.sd[i]) << periods[i] << " " << damping;
      EXPECT_NEAR(a.sa[i], b.sa[i], 1e-6 * b.sa[i]) << periods[i] << " " << damping;
    }
  }
}

// Every kernel computes each oscillator with the same operations in the same order: the same
// digits on every processor. Kernels this processor does not run are left out.
void ExpectEveryKernelGivesTheSameDigits(const GroundMotion& motion,
                                         const std::vector<double>& periods, double damping) {
  const ResponseSpectrum scalar = Spectrum(motion, periods, damping, true, SpectrumKernel::Scalar);
  for (const SpectrumKernel kernel : kEveryKernel) {
    if (!SpectrumKernelRuns(kernel)) continue;
    const ResponseSpectrum s = Spectrum(motion, periods, damping, true, kernel);
    for (std::size_t i = 0; i < periods.size(); ++i) {
      EXPECT_EQ(s.psa[i], scalar.psa[i]) << static_cast<int>(kernel) << " " << periods[i];
      EXPECT_EQ(s.sa[i], scalar.sa[i]) << static_cast<int>(kernel) << " " << periods[i];
    }
  }
}

TEST(ResponseSpectrumTest, EveryKernelGivesTheSameDigits) {
  const auto record = ElCentro();
  if (!record) GTEST_SKIP() << "the El Centro record is not in " TREMVALE_RECORDS_DATA;
  for (const double damping : {0.0, 0.05, 0.2}) {
    ExpectEveryKernelGivesTheSameDigits(*record, DefaultPeriods(), damping);
  }
}

// A coarse noisy record at periods from below two steps to far above, 19 of them so that the
// last chunk of oscillators is only partly used: the vectorised kernel searches only the blocks
// of steps its bounds keep, and must find every crest the plain loop finds.
TEST(ResponseSpectrumTest, VectorisedKernelFindsTheCrestsOfTheScalarOne) {
  std::vector<double> a;
  std::uint32_t state = 12345;
  double filtered = 0;
  for (int k = 0; k <= 2500; ++k) {
    state = state * 1664525u + 1013904223u;
    filtered = 0.7 * filtered + (static_cast<double>(state >> 8) / 16777216.0 - 0.5);
    a.push_back(0.4 * filtered * std::sin(kPi * k / 2500));
  }
  const GroundMotion motion = Motion(0.01, a);
  const std::vector<double> periods = {0.004, 0.009, 0.012, 0.019, 0.021, 0.027, 0.033,
                                       0.045, 0.06,  0.08,  0.11,  0.15,  0.2,   0.35,
                                       0.6,   1.1,   2.3,   4.7,   9.0};
  for (const double damping : {0.0, 0.02, 0.05, 0.3, 0.9}) {
    ExpectEveryKernelGivesTheSameDigits(motion, periods, damping);
  }
}

TEST(ResponseSpectrumTest, ProgressRunsToTheEndAndCanStop) {
  const GroundMotion motion = Motion(0.01, std::vector<double>(2000, 0.1));
  std::vector<double> reported;
  const auto done = ComputeSpectrum(motion, {}, [&](double fraction) {
    reported.push_back(fraction);
    return true;
  });
  ASSERT_TRUE(done.has_value());
  EXPECT_EQ(done->periods.size(), 601u);
  ASSERT_GE(reported.size(), 3u);
  EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
  EXPECT_EQ(reported.back(), 1.0);

  int calls = 0;
  EXPECT_FALSE(ComputeSpectrum(motion, {}, [&](double) { return ++calls < 2; }).has_value());
  EXPECT_EQ(calls, 2);
}

TEST(ResponseSpectrumTest, RefusesDampingAndPeriodsOutOfRange) {
  const GroundMotion motion = Motion(0.01, {0.1, 0.2});
  for (const double damping : {-0.01, 1.0, std::nan("")}) {
    EXPECT_THROW(Spectrum(motion, {1.0}, damping), std::invalid_argument) << damping;
  }
  for (const double period : {-1.0, 0.0005, 2000.0, std::nan("")}) {
    EXPECT_THROW(Spectrum(motion, {period}, 0.05), std::invalid_argument) << period;
  }
  EXPECT_THROW(Spectrum(Motion(1.5, {0.1, 0.2}), {1.0}, 0.05), std::invalid_argument);
}

}  // namespace
