// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/NumberText.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

#include "tests/model/ModelFixture.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();

class NumberTextTest : public ModelFixture {};

struct GeneralCase {
  double value;
  const char* text;
};

void PrintTo(const GeneralCase& c, std::ostream* out) { *out << c.text; }

class FormatGeneralTest : public NumberTextTest,
                          public ::testing::WithParamInterface<GeneralCase> {};

TEST_P(FormatGeneralTest, WritesFifteenSignificantDigits) {
  EXPECT_EQ(FormatGeneral(GetParam().value, "."), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatGeneralTest,
    ::testing::Values(GeneralCase{0.0, "0"}, GeneralCase{-0.0, "0"}, GeneralCase{0.04, "0.04"},
                      GeneralCase{0.2, "0.2"}, GeneralCase{0.125, "0.125"},
                      GeneralCase{0.1 + 0.2, "0.3"}, GeneralCase{1.0 / 3, "0.333333333333333"},
                      GeneralCase{2.0 / 3, "0.666666666666667"}, GeneralCase{-1.5, "-1.5"},
                      GeneralCase{0.0001, "0.0001"}, GeneralCase{0.00012345, "0.00012345"},
                      GeneralCase{0.00001, "1E-5"}, GeneralCase{0.00000015, "1.5E-7"},
                      GeneralCase{999999999999999.0, "999999999999999"}, GeneralCase{1e15, "1E15"},
                      GeneralCase{12345678901234567890.0, "1.23456789012346E19"},
                      // Beyond the table: specials, padding zeros, the carry into a new digit.
                      GeneralCase{kInf, "INF"}, GeneralCase{-kInf, "-INF"},
                      GeneralCase{std::numeric_limits<double>::quiet_NaN(), "NAN"},
                      GeneralCase{1200.0, "1200"}, GeneralCase{-0.0045, "-0.0045"},
                      GeneralCase{9.999999999999998, "10"}, GeneralCase{999999999999999.9, "1E15"},
                      GeneralCase{1e-300, "1E-300"}, GeneralCase{-2.5e100, "-2.5E100"}));

struct PatternCase {
  double value;
  const char* twoDecimals;
  const char* sixDecimals;
  const char* scientific;
};

void PrintTo(const PatternCase& c, std::ostream* out) { *out << c.sixDecimals; }

class FormatPatternTest : public NumberTextTest,
                          public ::testing::WithParamInterface<PatternCase> {};

TEST_P(FormatPatternTest, WritesEachPattern) {
  const PatternCase c = GetParam();
  EXPECT_EQ(FormatPattern(NumberPattern::TwoDecimals, c.value, "."), c.twoDecimals);
  EXPECT_EQ(FormatPattern(NumberPattern::SixDecimals, c.value, "."), c.sixDecimals);
  EXPECT_EQ(FormatPattern(NumberPattern::Scientific, c.value, "."), c.scientific);
  EXPECT_EQ(FormatPattern("0.00", c.value, "."), c.twoDecimals);
  EXPECT_EQ(FormatPattern("0.000000", c.value, "."), c.sixDecimals);
  EXPECT_EQ(FormatPattern("0.0000E+00", c.value, "."), c.scientific);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatPatternTest,
    ::testing::Values(PatternCase{0.0, "0.00", "0.000000", "0.0000E+00"},
                      PatternCase{-0.0, "0.00", "0.000000", "0.0000E+00"},
                      PatternCase{0.018, "0.02", "0.018000", "1.8000E-02"},
                      PatternCase{0.04, "0.04", "0.040000", "4.0000E-02"},
                      PatternCase{0.125, "0.13", "0.125000", "1.2500E-01"},
                      PatternCase{0.005, "0.01", "0.005000", "5.0000E-03"},
                      PatternCase{-0.004, "0.00", "-0.004000", "-4.0000E-03"},
                      PatternCase{-0.005, "-0.01", "-0.005000", "-5.0000E-03"},
                      PatternCase{6.0, "6.00", "6.000000", "6.0000E+00"},
                      PatternCase{99.999, "100.00", "99.999000", "9.9999E+01"},
                      PatternCase{123.456, "123.46", "123.456000", "1.2346E+02"},
                      PatternCase{0.00999995, "0.01", "0.010000", "1.0000E-02"},
                      PatternCase{1e19, "1E19", "1E19", "1.0000E+19"},
                      PatternCase{1e100, "1E100", "1E100", "1.0000E+100"},
                      PatternCase{kInf, "INF", "INF", "INF"},
                      // Beyond the table: the 18-digit form decides (1.005 is 1.00499999...),
                      // tiny values, the largest integers that stay fixed, negative infinity.
                      PatternCase{1.005, "1.00", "1.005000", "1.0050E+00"},
                      PatternCase{0.0000004, "0.00", "0.000000", "4.0000E-07"},
                      PatternCase{0.0000005, "0.00", "0.000000", "5.0000E-07"},
                      PatternCase{0.0000015, "0.00", "0.000002", "1.5000E-06"},
                      PatternCase{1e17, "100000000000000000.00", "100000000000000000.000000",
                                  "1.0000E+17"},
                      PatternCase{1e18, "1E18", "1E18", "1.0000E+18"},
                      PatternCase{5e-324, "0.00", "0.000000", "4.9407E-324"},
                      PatternCase{-kInf, "-INF", "-INF", "-INF"}));

TEST_F(NumberTextTest, OtherPatternTextsAreRejected) {
  for (const char* pattern : {"0.0", "", "0.0000e+00", "#,##0.00"}) {
    EXPECT_THROW(FormatPattern(pattern, 1.0, "."), std::invalid_argument) << pattern;
  }
}

TEST_F(NumberTextTest, NanPatternTextIsGeneralText) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(FormatPattern(NumberPattern::TwoDecimals, nan, "."), "NAN");
  EXPECT_EQ(FormatPattern(NumberPattern::Scientific, nan, "."), "NAN");
}

struct ParseCase {
  const char* text;
  double value;
};

void PrintTo(const ParseCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class ParseAcceptTest : public NumberTextTest, public ::testing::WithParamInterface<ParseCase> {};

TEST_P(ParseAcceptTest, Accepts) {
  const auto parsed = ParseNumber(GetParam().text, ".");
  ASSERT_TRUE(parsed.has_value()) << GetParam().text;
  EXPECT_EQ(ToDouble(*parsed), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Syntax, ParseAcceptTest,
                         ::testing::Values(ParseCase{"0.04", 0.04}, ParseCase{"+0.05", 0.05},
                                           ParseCase{" 0.2 ", 0.2}, ParseCase{"1.", 1.0},
                                           ParseCase{".5", 0.5}, ParseCase{"1e", 1.0},
                                           ParseCase{"1E+2", 100.0}, ParseCase{"2.5e-3", 0.0025},
                                           ParseCase{".", 0.0}, ParseCase{"-3", -3.0},
                                           ParseCase{"007", 7.0}, ParseCase{"1e-", 1.0},
                                           ParseCase{"12.5E1", 125.0}, ParseCase{"0e4999", 0.0},
                                           ParseCase{"1e-400", 0.0}, ParseCase{"1e308", 1e308},
                                           ParseCase{"   6   ", 6.0}));

class ParseRejectTest : public NumberTextTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ParseRejectTest, Rejects) { EXPECT_FALSE(ParseNumber(GetParam(), ".").has_value()); }

INSTANTIATE_TEST_SUITE_P(Syntax, ParseRejectTest,
                         ::testing::Values("", " ", "-", "+", "1,5", "1 2", "\t1", "1\t", "0x10",
                                           "inf", "INF", "nan", "1e5000", "1e-5000", "e5", "--1",
                                           "1..2", "1 000", "1e+-2", "\xD9\xAB"));

TEST_F(NumberTextTest, ExponentReadingStopsAtFiveHundred) {
  // The digit that brings the exponent to 500 or more is the last one read.
  const auto e500 = ParseNumber("1e500", ".");
  ASSERT_TRUE(e500.has_value());
  EXPECT_GT(*e500, 1e499L);
  EXPECT_TRUE(std::isfinite(*e500));
  EXPECT_FALSE(ParseNumber("1e0005000", ".").has_value());
  EXPECT_TRUE(ParseNumber("1e0000499", ".").has_value());
}

TEST_F(NumberTextTest, ExtendedOnlyValuesOverflowTheDouble) {
  for (const char* text : {"1e499", "1e400", "-1e309"}) {
    const auto parsed = ParseNumber(text, ".");
    ASSERT_TRUE(parsed.has_value()) << text;
    EXPECT_TRUE(std::isfinite(*parsed)) << text;
    try {
      ToDouble(*parsed);
      ADD_FAILURE() << text << " converted";
    } catch (const std::overflow_error& e) {
      EXPECT_STREQ(e.what(), "Floating point overflow");
    }
  }
}

TEST_F(NumberTextTest, ToDoubleRoundsAtTheTopOfTheRange) {
  const long double max = std::numeric_limits<double>::max();
  const long double halfUlp = std::ldexp(1.0L, 970);
  EXPECT_EQ(ToDouble(max), std::numeric_limits<double>::max());
  EXPECT_EQ(ToDouble(max + halfUlp / 2), std::numeric_limits<double>::max());
  EXPECT_THROW(ToDouble(max + halfUlp), std::overflow_error);
  EXPECT_THROW(ToDouble(-(max + halfUlp)), std::overflow_error);
  EXPECT_EQ(ToDouble(std::numeric_limits<long double>::infinity()), kInf);
  EXPECT_TRUE(std::isnan(ToDouble(std::numeric_limits<long double>::quiet_NaN())));
}

TEST_F(NumberTextTest, LoneSeparatorAfterMinusIsNegativeZero) {
  const auto parsed = ParseNumber("-.", ".");
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(*parsed, 0.0L);
  EXPECT_TRUE(std::signbit(*parsed));
}

TEST_F(NumberTextTest, DigitsAccumulateInExtendedPrecision) {
  // 19 digits fit the 64-bit significand: the value is exact before the power is applied.
  const auto parsed = ParseNumber("1234567890123456789", ".");
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(*parsed, 1234567890123456789.0L);
}

TEST_F(NumberTextTest, CommaSeparator) {
  ASSERT_TRUE(ParseNumber("0,04", ",").has_value());
  EXPECT_EQ(ToDouble(*ParseNumber("0,04", ",")), 0.04);
  EXPECT_FALSE(ParseNumber("0.04", ",").has_value());
  EXPECT_EQ(FormatGeneral(0.04, ","), "0,04");
  EXPECT_EQ(FormatGeneral(1.5e-7, ","), "1,5E-7");
  EXPECT_EQ(FormatPattern(NumberPattern::TwoDecimals, 6.0, ","), "6,00");
  EXPECT_EQ(FormatPattern(NumberPattern::Scientific, 0.018, ","), "1,8000E-02");
}

TEST_F(NumberTextTest, NonAsciiSeparatorIsOneWholeCharacter) {
  const std::string arabic = "\xD9\xAB";  // U+066B ARABIC DECIMAL SEPARATOR
  EXPECT_EQ(DecimalSeparatorFrom(arabic), arabic);
  EXPECT_EQ(FormatGeneral(0.04, arabic), "0" + arabic + "04");
  EXPECT_EQ(FormatPattern(NumberPattern::SixDecimals, -0.005, arabic), "-0" + arabic + "005000");
  EXPECT_EQ(FormatPattern(NumberPattern::Scientific, 123.456, arabic), "1" + arabic + "2346E+02");
  ASSERT_TRUE(ParseNumber("0" + arabic + "04", arabic).has_value());
  EXPECT_EQ(ToDouble(*ParseNumber("0" + arabic + "04", arabic)), 0.04);
  EXPECT_EQ(ParseNumber(arabic, arabic), 0.0L);
  EXPECT_FALSE(ParseNumber("0\xD9"
                           "04",
                           arabic)
                   .has_value());
  EXPECT_FALSE(ParseNumber("0.04", arabic).has_value());
}

TEST_F(NumberTextTest, SeparatorKeepsOneCharacter) {
  EXPECT_EQ(DecimalSeparatorFrom(""), ".");
  EXPECT_EQ(DecimalSeparatorFrom(",;"), ",");
  EXPECT_EQ(DecimalSeparatorFrom("\xD9"), ".");  // a lead byte without its continuation
  EXPECT_EQ(DecimalSeparatorFrom("\xAB"), ".");
  // An empty one stands for "."; a longer one than a character is a programming error.
  EXPECT_EQ(FormatGeneral(0.5, ""), "0.5");
  EXPECT_THROW(FormatGeneral(0.5, "12345"), std::invalid_argument);
}

TEST_F(NumberTextTest, FineGridHas601PeriodsInHundredths) {
  ASSERT_EQ(FinePeriodCount(), 601);
  EXPECT_EQ(PeriodCount(6, 0.01), 601);
  for (int i = 0; i < FinePeriodCount(); ++i) {
    char expected[16];
    std::snprintf(expected, sizeof expected, "%d.%02d", i / 100, i % 100);
    ASSERT_EQ(FormatPattern(NumberPattern::TwoDecimals, FinePeriod(i), "."), expected)
        << "period " << i;
  }
  EXPECT_EQ(FinePeriod(600), 6.0);
  EXPECT_EQ(FinePeriod(1), 0.01);
}

TEST_F(NumberTextTest, CoarseGridHas121PeriodsInTwentieths) {
  EXPECT_EQ(kCoarsePeriodCount, 121);
  EXPECT_EQ(PeriodCount(6, 0.05), 121);
  for (int m = 0; m < kCoarsePeriodCount; ++m) {
    const int hundredths = m * 5;
    char expected[16];
    if (hundredths % 100 == 0) {
      std::snprintf(expected, sizeof expected, "%d", hundredths / 100);
    } else if (hundredths % 10 == 0) {
      std::snprintf(expected, sizeof expected, "%d.%d", hundredths / 100, hundredths % 100 / 10);
    } else {
      std::snprintf(expected, sizeof expected, "%d.%02d", hundredths / 100, hundredths % 100);
    }
    ASSERT_EQ(FormatGeneral(CoarsePeriod(m), "."), expected) << "period " << m;
  }
  EXPECT_EQ(CoarsePeriod(3), 0.15000000000000002);
  EXPECT_EQ(CoarsePeriod(120), 6.0);
}

struct CountCase {
  double span, step;
  int count;
};

TEST_F(NumberTextTest, PeriodCountDropsAPeriodBeyondTheSpan) {
  for (const CountCase c : {CountCase{6, 0.01, 601}, CountCase{6, 0.05, 121}, CountCase{1, 0.6, 2},
                            CountCase{1, 0.4, 3}, CountCase{1, 0.5, 3}, CountCase{0, 0.01, 1}}) {
    EXPECT_EQ(PeriodCount(c.span, c.step), c.count) << c.span << " / " << c.step;
  }
}

}  // namespace

namespace {

TEST_F(NumberTextTest, AppendPatternAddsTheSameText) {
  std::string text = "x,";
  AppendPattern(text, NumberPattern::Scientific, -0.005, ".");
  AppendPattern(text, NumberPattern::TwoDecimals, 99.999, ".");
  EXPECT_EQ(text, "x,-5.0000E-03100.00");
}

}  // namespace
