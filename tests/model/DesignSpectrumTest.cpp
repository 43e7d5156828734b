// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/DesignSpectrum.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "model/SaRangeCheck.h"
#include "tests/model/ModelFixture.h"

namespace {

constexpr int k2010 = 0;
constexpr int k2001 = 1;
const char* const kRangeWarning = "Period is larger than 6.0s.";

class DesignSpectrumTest : public ModelFixture {};

struct CoefficientCase {
  int codeType;
  double damping;
  double gamma, eta1, eta2;  // six decimals
};

void PrintTo(const CoefficientCase& c, std::ostream* out) {
  *out << "code " << c.codeType << ", damping " << c.damping;
}

class CoefficientTest : public DesignSpectrumTest,
                        public ::testing::WithParamInterface<CoefficientCase> {};

TEST_P(CoefficientTest, MatchesTheCodeFormulas) {
  const CoefficientCase c = GetParam();
  const DesignSpectrum s("s", 0.04, 0.2, c.damping, c.codeType);
  EXPECT_NEAR(s.gamma, c.gamma, 5e-7);
  EXPECT_NEAR(s.eta1, c.eta1, 5e-7);
  EXPECT_NEAR(s.eta2, c.eta2, 5e-7);
  EXPECT_TRUE(warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(BothEditions, CoefficientTest,
                         ::testing::Values(CoefficientCase{k2010, 0.0, 1.066667, 0.0325, 1.625},
                                           CoefficientCase{k2001, 0.0, 1.0, 0.02625, 1.833333},
                                           CoefficientCase{k2010, 0.02, 0.971429, 0.026466,
                                                           1.267857},
                                           CoefficientCase{k2001, 0.02, 0.95, 0.02375, 1.319149},
                                           CoefficientCase{k2010, 0.5, 0.763636, 0.0, 0.55},
                                           CoefficientCase{k2001, 0.5, 0.75, 0.0, 0.55}));

TEST_F(DesignSpectrumTest, FivePercentDampingGivesExactCoefficientsInBothEditions) {
  for (const int codeType : {k2010, k2001}) {
    const DesignSpectrum s("s", 0.04, 0.2, 0.05, codeType);
    EXPECT_EQ(s.gamma, 0.9) << codeType;
    EXPECT_EQ(s.eta1, 0.02) << codeType;
    EXPECT_EQ(s.eta2, 1.0) << codeType;
  }
}

struct ClampCase {
  int codeType;
  double below;  // damping just below the bound is left alone
  double above;  // and just above it is clamped
};

TEST_F(DesignSpectrumTest, Eta1IsClampedToPositiveZero) {
  // 2010 edition: eta1 reaches 0 above 13/36; 2001 edition above 0.21.
  for (const ClampCase c : {ClampCase{k2010, 0.36, 0.362}, ClampCase{k2001, 0.209, 0.211}}) {
    EXPECT_GT(DesignSpectrum("s", 0.04, 0.2, c.below, c.codeType).eta1, 0.0) << c.codeType;
    const double clamped = DesignSpectrum("s", 0.04, 0.2, c.above, c.codeType).eta1;
    EXPECT_EQ(clamped, 0.0) << c.codeType;
    EXPECT_FALSE(std::signbit(clamped)) << c.codeType;
  }
}

TEST_F(DesignSpectrumTest, Eta2IsClampedTo055) {
  // 2010 edition: eta2 reaches 0.55 above 0.086/0.28; 2001 edition above 0.077/0.235.
  for (const ClampCase c : {ClampCase{k2010, 0.307, 0.308}, ClampCase{k2001, 0.327, 0.328}}) {
    EXPECT_GT(DesignSpectrum("s", 0.04, 0.2, c.below, c.codeType).eta2, 0.55) << c.codeType;
    EXPECT_EQ(DesignSpectrum("s", 0.04, 0.2, c.above, c.codeType).eta2, 0.55) << c.codeType;
  }
}

struct SaCase {
  double period;
  double sa;  // six decimals
};

void PrintTo(const SaCase& c, std::ostream* out) { *out << "T = " << c.period; }

class StartUpSpectrumTest : public DesignSpectrumTest,
                            public ::testing::WithParamInterface<SaCase> {};

TEST_P(StartUpSpectrumTest, GivesTheTabulatedSa) {
  const DesignSpectrum s("Spectrum-1", 0.04, 0.2, 0.05, k2010);
  double sa = -1;
  ASSERT_EQ(s.GetSa(GetParam().period, sa), 0);
  EXPECT_NEAR(sa, GetParam().sa, 5e-7);
  EXPECT_TRUE(warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(Examples, StartUpSpectrumTest,
                         ::testing::Values(SaCase{0.0, 0.018}, SaCase{0.05, 0.029},
                                           SaCase{0.1, 0.04}, SaCase{0.2, 0.04},
                                           SaCase{0.5, 0.017535}, SaCase{1.0, 0.009397},
                                           SaCase{3.0, 0.007797}, SaCase{6.0, 0.005397}));

TEST_F(DesignSpectrumTest, EndOfRisingLineAndPlateauAreExactlyAlphaMax) {
  const DesignSpectrum s("s", 0.04, 0.2, 0.05, k2010);
  double sa = 0;
  ASSERT_EQ(s.GetSa(0.1, sa), 0);
  EXPECT_EQ(sa, 0.04);
  ASSERT_EQ(s.GetSa(0.2, sa), 0);
  EXPECT_EQ(sa, 0.04);
  ASSERT_EQ(s.GetSa(1.0, sa), 0);
  EXPECT_NEAR(sa, std::pow(0.2, 0.9) * 0.04, 1e-17);
}

struct Shape {
  double alphaMax, tg, damping;
  int codeType;
};

void PrintTo(const Shape& s, std::ostream* out) {
  *out << "code " << s.codeType << ", AlphaMax " << s.alphaMax << ", Tg " << s.tg << ", damping "
       << s.damping;
}

class BranchBoundaryTest : public DesignSpectrumTest,
                           public ::testing::WithParamInterface<Shape> {};

// The segments meet at 0.1 s (when Tg >= 0.1), at Tg and at 5 Tg: the period on the boundary and
// its two neighbouring doubles give the same Sa to within rounding.
TEST_P(BranchBoundaryTest, SegmentsMeetAtTheirBoundaries) {
  const Shape p = GetParam();
  const DesignSpectrum s("s", p.alphaMax, p.tg, p.damping, p.codeType);
  for (const double boundary :
       {0.1, p.tg, static_cast<double>(5 * static_cast<long double>(p.tg))}) {
    if (boundary >= 6) continue;
    double below = 0, at = 0, above = 0;
    ASSERT_EQ(s.GetSa(std::nextafter(boundary, 0.0), below), 0);
    ASSERT_EQ(s.GetSa(boundary, at), 0);
    ASSERT_EQ(s.GetSa(std::nextafter(boundary, 7.0), above), 0);
    EXPECT_NEAR(below, at, 1e-14 * p.alphaMax) << "boundary " << boundary;
    EXPECT_NEAR(above, at, 1e-14 * p.alphaMax) << "boundary " << boundary;
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, BranchBoundaryTest,
                         ::testing::Values(Shape{0.04, 0.2, 0.05, k2010},
                                           Shape{0.9, 0.35, 0.02, k2010},
                                           Shape{1.4, 0.9, 0.0, k2001},
                                           Shape{0.28, 0.1, 0.3, k2001},
                                           Shape{0.5, 1.2, 0.5, k2010}));

TEST_F(DesignSpectrumTest, PlateauRunsThroughTgAndCurveThroughFiveTg) {
  // With Tg = 0.5 the plateau value is eta2 * AlphaMax exactly, and the curved segment at 5 Tg
  // is 0.2^gamma of it; the straight segment starts only after that.
  const DesignSpectrum s("s", 0.5, 0.5, 0.05, k2010);
  double sa = 0;
  ASSERT_EQ(s.GetSa(0.5, sa), 0);
  EXPECT_EQ(sa, 0.5);
  ASSERT_EQ(s.GetSa(std::nextafter(0.5, 1.0), sa), 0);
  EXPECT_LT(sa, 0.5);
  ASSERT_EQ(s.GetSa(2.5, sa), 0);
  EXPECT_NEAR(sa, std::pow(0.2, 0.9) * 0.5, 1e-16);
  ASSERT_EQ(s.GetSa(3.5, sa), 0);
  EXPECT_NEAR(sa, (std::pow(0.2, 0.9) - 0.02 * 1.0) * 0.5, 1e-16);
}

TEST_F(DesignSpectrumTest, TgBelowTenthDropsAtTenth) {
  const DesignSpectrum s("s", 0.04, 0.05, 0.05, k2010);
  double sa = 0;
  ASSERT_EQ(s.GetSa(0.1, sa), 0);
  EXPECT_EQ(sa, 0.04);
  ASSERT_EQ(s.GetSa(0.11, sa), 0);
  EXPECT_NEAR(sa, 0.019673, 5e-7);
}

TEST_F(DesignSpectrumTest, ZeroTgTakesStraightDescentAfterTenth) {
  const DesignSpectrum s("s", 0.04, 0.0, 0.05, k2010);
  double sa = 0;
  ASSERT_EQ(s.GetSa(0.1, sa), 0);
  EXPECT_EQ(sa, 0.04);
  ASSERT_EQ(s.GetSa(0.11, sa), 0);
  EXPECT_NEAR(sa, 0.009309, 5e-7);
}

TEST_F(DesignSpectrumTest, TgOfSixOrMoreStaysOnPlateau) {
  for (const double tg : {6.0, 8.0}) {
    const DesignSpectrum s("s", 0.3, tg, 0.02, k2001);
    for (const double t : {0.1, 0.11, 3.0, 6.0}) {
      double sa = 0;
      ASSERT_EQ(s.GetSa(t, sa), 0);
      EXPECT_EQ(sa, static_cast<double>(static_cast<long double>(s.eta2) * 0.3L)) << t;
    }
  }
}

TEST_F(DesignSpectrumTest, PeriodsOutsideZeroToSixFailAndLeaveResultAlone) {
  const DesignSpectrum s("s", 0.04, 0.2, 0.05, k2010);
  const double inf = std::numeric_limits<double>::infinity();
  for (const double t : {std::nextafter(6.0, inf), 7.0, -std::numeric_limits<double>::denorm_min(),
                         -0.01, inf, -inf, std::numeric_limits<double>::quiet_NaN()}) {
    warnings.clear();
    double sa = 123.5;
    EXPECT_EQ(s.GetSa(t, sa), -1) << t;
    EXPECT_EQ(sa, 123.5) << t;
    EXPECT_EQ(warnings, std::vector<std::string>{kRangeWarning}) << t;
  }
}

TEST_F(DesignSpectrumTest, SixAndZeroAreAccepted) {
  const DesignSpectrum s("s", 0.04, 0.2, 0.05, k2010);
  double sa = 0;
  EXPECT_EQ(s.GetSa(6.0, sa), 0);
  double atZero = 0;
  EXPECT_EQ(s.GetSa(0.0, atZero), 0);
  EXPECT_EQ(s.GetSa(-0.0, sa), 0);
  EXPECT_EQ(sa, atZero);
  EXPECT_TRUE(warnings.empty());
}

TEST_F(DesignSpectrumTest, WrongCodeTypeWarnsAndLeavesCoefficientsUncomputed) {
  for (const auto& [codeType, text] :
       {std::pair{2, "Wrong codetype : 2."}, std::pair{-1, "Wrong codetype : -1."}}) {
    warnings.clear();
    const DesignSpectrum s("s", 0.04, 0.2, 0.05, codeType);
    EXPECT_EQ(warnings, std::vector<std::string>{text});
    EXPECT_EQ(s.gamma, 0.0);
    EXPECT_EQ(s.eta1, 0.0);
    EXPECT_EQ(s.eta2, 0.0);
    EXPECT_EQ(s.name, "s");
    EXPECT_EQ(s.alphaMax, 0.04);
  }
}

TEST_F(DesignSpectrumTest, CodeNames) {
  EXPECT_EQ(DesignSpectrum("s", 0.04, 0.2, 0.05, k2010).GetCodeName(), "GB 50011-2010");
  EXPECT_EQ(DesignSpectrum("s", 0.04, 0.2, 0.05, k2001).GetCodeName(), "GB 50011-2001");
}

struct OverflowCase {
  double alphaMax;
  double damping;
  int codeType;
  bool overflows;  // Sa on the plateau, eta2 * alphaMax, is beyond the largest double
};

class SaOverflowTest : public DesignSpectrumTest,
                       public ::testing::WithParamInterface<OverflowCase> {};

TEST_P(SaOverflowTest, SaBeyondTheDoubleRangeIsAFloatingPointOverflow) {
  const OverflowCase c = GetParam();
  const DesignSpectrum s("s", c.alphaMax, 0.35, c.damping, c.codeType);
  double sa = -1;
  EXPECT_EQ(s.GetSa(0.0, sa), 0) << "0.45 alphaMax fits";
  if (!c.overflows) {
    EXPECT_NO_THROW(CheckSaRange(s));
    EXPECT_EQ(s.GetSa(0.2, sa), 0);
    EXPECT_TRUE(std::isfinite(sa));
    return;
  }
  try {
    CheckSaRange(s);
    ADD_FAILURE() << "no overflow";
  } catch (const std::overflow_error& e) {
    EXPECT_STREQ(e.what(), "Floating point overflow");
  }
  EXPECT_THROW(s.GetSa(0.2, sa), std::overflow_error);
}

INSTANTIATE_TEST_SUITE_P(Plateaus, SaOverflowTest,
                         ::testing::Values(OverflowCase{1.7e308, 0.0, k2010, true},
                                           OverflowCase{1.7e308, 0.0, k2001, true},
                                           OverflowCase{1.1e308, 0.0, k2010, false},
                                           OverflowCase{1.7e308, 0.05, k2010, false},
                                           OverflowCase{9e307, 0.0, k2001, false}));

}  // namespace
