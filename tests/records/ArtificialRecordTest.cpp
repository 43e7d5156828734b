// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/ArtificialRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "records/PlainMath.h"
#include "records/ResponseSpectrum.h"
#include "records/SampledOscillator.h"

namespace {

// 8 degrees, frequent earthquake, group 1, site II: the spectrum the record is fitted to.
const DesignSpectrum kDesign("8 frequent", 0.16, 0.35, 0.05, 0);
constexpr double kTargetPga = 70 / 980.665;
constexpr double kTolerance = 0.05;
// Seeds whose fits take few rounds, which keeps the tests fast.
constexpr std::uint64_t kSeed = 16;
constexpr std::uint64_t kOtherSeed = 5;

ArtificialOptions Options(std::uint64_t seed) {
  ArtificialOptions options;
  options.targetPga = kTargetPga;
  options.seed = seed;
  options.tolerance = kTolerance;
  return options;
}

// One fitted record, shared by the tests.
const ArtificialResult& Fitted() {
  static const ArtificialResult result = *GenerateArtificial(kDesign, Options(kSeed));
  return result;
}

TEST(ArtificialRecordTest, FitsTheBandWithTheTargetPgaAndEndsAtRest) {
  const ArtificialResult& result = Fitted();
  ASSERT_TRUE(result.reached);
  const GroundMotion& motion = result.motion;
  ASSERT_EQ(motion.acceleration.size(), 3001u);
  EXPECT_EQ(motion.acceleration.front(), 0);
  EXPECT_EQ(motion.acceleration.back(), 0);
  EXPECT_EQ(PeakAcceleration(motion), kTargetPga);

  SpectrumOptions options;
  for (const double t : DefaultPeriods()) {
    if (t >= 0.05 - 1e-12) options.periods.push_back(t);
  }
  const ResponseSpectrum spectrum = *ComputeSpectrum(motion, options);
  double worst = 0;
  for (std::size_t i = 0; i < spectrum.periods.size(); ++i) {
    double sa = 0;
    kDesign.GetSa(spectrum.periods[i], sa);
    worst = std::fmax(worst, std::fabs(spectrum.psa[i] / sa - 1));
  }
  EXPECT_LE(worst, kTolerance);
  EXPECT_NEAR(worst, std::fabs(result.worstDeviation), 1e-12);

  const GroundTravel travel = IntegrateGround(motion);
  EXPECT_LE(std::fabs(travel.endVelocity), 0.01 * travel.peakVelocity);
  EXPECT_LE(std::fabs(travel.endDisplacement), 0.05 * travel.peakDisplacement);
  // The effective duration follows the envelope's.
  const double span = Options(kSeed).envelope.TenthSpan();
  EXPECT_GE(EffectiveDuration(motion), 0.9 * span);
  EXPECT_LE(EffectiveDuration(motion), Duration(motion));
}

TEST(ArtificialRecordTest, TheSeedDecidesTheRecord) {
  const ArtificialResult again = *GenerateArtificial(kDesign, Options(kSeed));
  EXPECT_EQ(again.motion.acceleration, Fitted().motion.acceleration);
  const ArtificialResult other = *GenerateArtificial(kDesign, Options(kOtherSeed));
  ASSERT_TRUE(other.reached);
  EXPECT_NE(other.motion.acceleration, Fitted().motion.acceleration);
}

TEST(ArtificialRecordTest, UnreachableFitsAreReportedWithoutARecord) {
  ArtificialOptions tight = Options(1);
  tight.tolerance = 0.0001;
  ArtificialOptions tooShort = Options(1);
  tooShort.bandStart = 0.001;
  for (ArtificialOptions options : {tight, tooShort}) {
    options.iterationLimit = 2;
    const ArtificialResult result = *GenerateArtificial(kDesign, options);
    EXPECT_FALSE(result.reached);
    EXPECT_TRUE(result.motion.acceleration.empty());
    EXPECT_GT(std::fabs(result.worstDeviation), options.tolerance);
    EXPECT_GE(result.worstPeriod, options.bandStart);
    EXPECT_LE(result.worstPeriod, options.bandEnd);
  }
}

TEST(ArtificialRecordTest, RefusesOptionsOutsideTheirRanges) {
  const auto with = [](auto change) {
    ArtificialOptions options = Options(1);
    change(options);
    return options;
  };
  const ArtificialOptions bad[] = {
      with([](ArtificialOptions& o) { o.targetPga = 0; }),
      with([](ArtificialOptions& o) { o.step = 0; }),
      with([](ArtificialOptions& o) { o.duration = 1; }),
      with([](ArtificialOptions& o) { o.duration = 1e5; }),
      with([](ArtificialOptions& o) { o.envelope.flatEnd = 0.5; }),
      with([](ArtificialOptions& o) { o.bandEnd = 7; }),
      with([](ArtificialOptions& o) { o.bandStart = 6; }),
      with([](ArtificialOptions& o) { o.tolerance = 0; }),
  };
  for (const ArtificialOptions& options : bad) {
    EXPECT_THROW(CheckArtificialInputs(kDesign, options), std::invalid_argument);
  }
}

// Oscillators stepped together must each give what it gives alone, whatever the count.
TEST(ArtificialRecordTest, OscillatorsSteppedTogetherGiveTheirOwnDisplacements) {
  std::vector<double> a(500);
  for (std::size_t k = 0; k < a.size(); ++k) a[k] = PlainSin(0.37 * static_cast<double>(k));
  std::vector<SampledOscillator> oscillators;
  for (int i = 1; i <= 11; ++i) oscillators.emplace_back(0.05 * i, 0.05, 0.01);
  for (const std::size_t count : {1u, 8u, 11u}) {
    std::vector<const SampledOscillator*> some;
    for (std::size_t i = 0; i < count; ++i) some.push_back(&oscillators[i]);
    const auto together = SampledOscillator::Displacements(some, a);
    ASSERT_EQ(together.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
      EXPECT_EQ(together[i], oscillators[i].Displacement(a)) << count << " oscillators, " << i;
    }
  }
}

TEST(ArtificialRecordTest, PlainFunctionsAgreeWithTheLibrary) {
  for (const double x : {-30.5, -1.0, 0.0, 0.3, 2.5, 100.5, 1000.25}) {
    EXPECT_NEAR(PlainCos(x), std::cos(x), 4e-16) << x;
    EXPECT_NEAR(PlainSin(x), std::sin(x), 4e-16) << x;
    EXPECT_NEAR(PlainExp(x / 10), std::exp(x / 10), 4e-16 * std::exp(x / 10)) << x;
  }
  for (const double x : {1e-3, 0.7, 1.0, 7.3, 1e6}) EXPECT_NEAR(PlainLog(x), std::log(x), 4e-15);
}

}  // namespace
