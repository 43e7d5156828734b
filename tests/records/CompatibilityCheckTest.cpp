// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/CompatibilityCheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "tests/records/RecordsTestData.h"

namespace {

// AlphaMax 0.16, Tg 0.35 s, damping 0.05 (2010): Sa = 0.16 g on the plateau 0.1..0.35 s.
const DesignSpectrum kDesign("design", 0.16, 0.35, 0.05, 0);

CheckRecord Record(double psa, bool real = true, double duration = 20) {
  return {"r", {psa}, duration, real, 1, 0.1};
}

struct BoundaryCase {
  double mean;  // as a multiple of the design value
  bool passes;
};

class ToleranceBoundaryTest : public ::testing::TestWithParam<BoundaryCase> {};

TEST_P(ToleranceBoundaryTest, BoundaryIsInclusive) {
  const BoundaryCase c = GetParam();
  // Three records whose mean is the multiple of 0.16 g.
  const double mean = c.mean * 0.16;
  const CheckResult r = CheckCompatibility({Record(mean - 0.01), Record(mean), Record(mean + 0.01)},
                                           kDesign, {{0.3}, 0.2, {}});
  ASSERT_EQ(r.periods.size(), 1u);
  EXPECT_DOUBLE_EQ(r.periods[0].design, 0.16);
  EXPECT_NEAR(r.periods[0].deviationPercent, (c.mean - 1) * 100, 1e-9);
  EXPECT_EQ(r.periods[0].passes, c.passes) << c.mean;
  EXPECT_EQ(r.passes, c.passes);
}

INSTANTIATE_TEST_SUITE_P(Table, ToleranceBoundaryTest,
                         ::testing::Values(BoundaryCase{1.0, true}, BoundaryCase{1.2, true},
                                           BoundaryCase{0.8, true}, BoundaryCase{1.2001, false},
                                           BoundaryCase{0.7999, false},
                                           BoundaryCase{1.1999, true}));

TEST(CompatibilityCheckTest, EveryPeriodIsCheckedAgainstItsOwnDesignValue) {
  // T = 1 s on the curved descent: (0.35 / 1)^0.9 * 0.16.
  double atOne = 0;
  kDesign.GetSa(1.0, atOne);
  const CheckRecord a{"a", {0.16, atOne * 1.3}, 20, true, 1, 0.1};
  const CheckResult r = CheckCompatibility({a, a, a}, kDesign, {{0.2, 1.0}, 0.2, {}});
  EXPECT_TRUE(r.periods[0].passes);
  EXPECT_FALSE(r.periods[1].passes);
  EXPECT_NEAR(r.periods[1].deviationPercent, 30, 1e-9);
  EXPECT_FALSE(r.passes);
  // A wider tolerance lets it pass.
  EXPECT_TRUE(CheckCompatibility({a, a, a}, kDesign, {{0.2, 1.0}, 0.3, {}}).passes);
}

struct DurationCase {
  double duration;  // s, against T1 = 2 s: at least 10 s
  bool tooShort;
};

TEST(CompatibilityCheckTest, DurationFlagBelowFiveFundamentalPeriods) {
  double sa = 0;
  kDesign.GetSa(2.0, sa);
  for (const DurationCase c : {DurationCase{9.99, true}, DurationCase{10.0, false},
                               DurationCase{25.0, false}, DurationCase{0.0, true}}) {
    const CheckRecord record = Record(sa, true, c.duration);
    const CheckResult r = CheckCompatibility({record, record, record}, kDesign, {{2.0}, 0.2, {}});
    EXPECT_EQ(r.minimumDuration, 10.0);
    EXPECT_EQ(r.records[0].tooShort, c.tooShort) << c.duration;
    EXPECT_EQ(r.passes, !c.tooShort) << c.duration;
  }
}

struct ShareCase {
  int real, artificial;
  bool tooFewReal;
};

TEST(CompatibilityCheckTest, RealRecordsAtLeastTwoThirds) {
  for (const ShareCase c : {ShareCase{2, 1, false}, ShareCase{1, 1, true}, ShareCase{4, 2, false},
                            ShareCase{4, 3, true}, ShareCase{5, 2, false}, ShareCase{0, 1, true},
                            ShareCase{7, 0, false}}) {
    std::vector<CheckRecord> records;
    for (int i = 0; i < c.real; ++i) records.push_back(Record(0.16, true));
    for (int i = 0; i < c.artificial; ++i) records.push_back(Record(0.16, false));
    const CheckResult r = CheckCompatibility(records, kDesign, {{0.3}, 0.2, {}});
    EXPECT_EQ(r.realCount, static_cast<std::size_t>(c.real));
    EXPECT_EQ(r.artificialCount, static_cast<std::size_t>(c.artificial));
    EXPECT_EQ(r.tooFewReal, c.tooFewReal) << c.real << " of " << c.real + c.artificial;
    EXPECT_EQ(r.passes, !c.tooFewReal);
  }
}

// Records exactly on the design spectrum at 0.3 s and 1.5 s, long enough for T1 = 1.5 s.
struct VerdictCase {
  const char* what;
  std::size_t records;
  std::vector<double> periods;
  double scaleFactor;
  SetRule rule;
  bool passes;
  std::size_t scaleWarnings;
};

TEST(CompatibilityCheckTest, SetSizeT1AndScaleBand) {
  double atLong = 0;
  kDesign.GetSa(1.5, atLong);
  for (const VerdictCase& c :
       {VerdictCase{"one record", 1, {0.3, 1.5}, 1, SetRule::TooFew, false, 0},
        VerdictCase{"three records", 3, {1.5, 0.3}, 1, SetRule::Envelope, true, 0},
        VerdictCase{"seven records", 7, {0.3, 1.5}, 1, SetRule::Mean, true, 0},
        VerdictCase{"scaled beyond 4", 3, {0.3, 1.5}, 4.5, SetRule::Envelope, true, 3},
        VerdictCase{
            "scaled at the band's edge", 3, {0.3, 1.5}, 0.25, SetRule::Envelope, true, 0}}) {
    std::vector<CheckRecord> records;
    for (std::size_t i = 0; i < c.records; ++i) {
      CheckRecord record{"r", {}, 7.5, true, c.scaleFactor, 0.1};
      for (const double t : c.periods) record.psa.push_back(t == 1.5 ? atLong : 0.16);
      records.push_back(record);
    }
    const CheckResult r = CheckCompatibility(records, kDesign, {c.periods, 0.2, {}});
    EXPECT_EQ(r.fundamentalPeriod, 1.5) << c.what;
    EXPECT_EQ(r.minimumDuration, 7.5) << c.what;
    EXPECT_EQ(r.setRule, c.rule) << c.what;
    EXPECT_EQ(r.passes, c.passes) << c.what;
    EXPECT_EQ(r.scaleWarnings.size(), c.scaleWarnings) << c.what;
  }
}

TEST(CompatibilityCheckTest, SettingLimits) {
  EXPECT_FALSE(CheckSettingsProblem({{0.001, 6}, 0.9999, {0.01, 1000}}, "."));
  for (const CheckSettings& refused :
       {CheckSettings{{0.3, 0.0009}, 0.2, {}}, CheckSettings{{6.01}, 0.2, {}},
        CheckSettings{{0.3}, 1, {}}, CheckSettings{{0.3}, 1e306, {}},
        CheckSettings{{0.3}, 0.2, {4, 0.25}}, CheckSettings{{0.3}, 0.2, {0, 4}},
        CheckSettings{{0.3}, 0.2, {0.25, 1e308}}}) {
    EXPECT_TRUE(CheckSettingsProblem(refused, ".")) << refused.tolerance;
  }
  EXPECT_EQ(TargetPgaProblem(9806.66, ","),
            "Target PGA must be greater than 0 cm/s2 and at most 9806,65 cm/s2 (10 g).");
  EXPECT_FALSE(TargetPgaProblem(9806.65, "."));
}

TEST(CompatibilityCheckTest, RefusesWhatCannotBeChecked) {
  const std::vector<CheckRecord> one = {Record(0.16)};
  EXPECT_THROW(CheckCompatibility({}, kDesign, {{0.3}, 0.2, {}}), std::invalid_argument);
  EXPECT_THROW(CheckCompatibility(one, kDesign, {{}, 0.2, {}}), std::invalid_argument);
  EXPECT_THROW(CheckCompatibility(one, kDesign, {{0.0}, 0.2, {}}), std::invalid_argument);
  EXPECT_THROW(CheckCompatibility(one, kDesign, {{6.5}, 0.2, {}}), std::invalid_argument);
  EXPECT_THROW(CheckCompatibility(one, kDesign, {{0.3}, 0.0, {}}), std::invalid_argument);
  EXPECT_THROW(CheckCompatibility(one, kDesign, {{0.3, 0.5}, 0.2, {}}), std::invalid_argument);
}

TEST(CompatibilityCheckTest, CheckRecordFromAMotion) {
  // 0.1 g for 4 s: the effective duration is the whole record; PSA scales with the factor.
  const GroundMotion motion = Motion(0.01, std::vector<double>(401, 0.1));
  const CheckRecord r = MakeCheckRecord(motion, 2.0, false, {0.2, 0.5}, 0.05);
  EXPECT_EQ(r.psa.size(), 2u);
  EXPECT_NEAR(r.psa[0], 2 * 0.1 * (1 + std::exp(-0.05 * std::numbers::pi / std::sqrt(0.9975))),
              1e-9);
  EXPECT_NEAR(r.effectiveDuration, 4.0, 1e-12);
  EXPECT_FALSE(r.real);
}

}  // namespace
