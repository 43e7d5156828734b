#include "chart/rules/AxisLabelText.h"

#include <gtest/gtest.h>
#include <ostream>

#include <limits>
#include <string>

#include "model/NumberText.h"
#include "tests/support/CommaCLocale.h"

namespace {

struct TextCase {
  double value;
  const char* withPoint;  // decimal separator "."
  const char* withComma;  // decimal separator ","
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.withPoint; }

class AxisLabelTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(AxisLabelTextTest, WritesAtMostThreeDecimalsAndGroupsThousands) {
  const TextCase& c = GetParam();
  EXPECT_EQ(AxisLabelText(c.value, "."), c.withPoint) << c.value;
  EXPECT_EQ(AxisLabelText(c.value, ","), c.withComma) << c.value;
}

// Qt sets the C library's locale from the user's; the texts must not follow it.
TEST_P(AxisLabelTextTest, SameUnderACommaCLocale) {
  const CommaCLocale locale;
  if (!locale.Active()) GTEST_SKIP() << locale.Reason();
  const TextCase& c = GetParam();
  EXPECT_EQ(AxisLabelText(c.value, "."), c.withPoint) << c.value;
  EXPECT_EQ(AxisLabelText(c.value, ","), c.withComma) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, AxisLabelTextTest,
    ::testing::Values(TextCase{0, "0", "0"}, TextCase{-0.0, "0", "0"},
                      TextCase{0.005, "0.005", "0,005"}, TextCase{0.01, "0.01", "0,01"},
                      TextCase{0.125, "0.125", "0,125"}, TextCase{3 * 0.02, "0.06", "0,06"},
                      TextCase{0.035, "0.035", "0,035"}, TextCase{0.96, "0.96", "0,96"},
                      TextCase{1.5, "1.5", "1,5"}, TextCase{6, "6", "6"},
                      TextCase{100, "100", "100"}, TextCase{1000, "1,000", "1.000"},
                      TextCase{1234567.5, "1,234,567.5", "1.234.567,5"},
                      // Rounded half away from zero on the decimal value.
                      TextCase{0.0025, "0.003", "0,003"}, TextCase{0.0075, "0.008", "0,008"},
                      TextCase{0.0004, "0", "0"}, TextCase{0.0005, "0.001", "0,001"},
                      TextCase{999.9996, "1,000", "1.000"}, TextCase{-0.0004, "0", "0"},
                      TextCase{-1500.25, "-1,500.25", "-1.500,25"},
                      TextCase{1e20, "100,000,000,000,000,000,000", "100.000.000.000.000.000.000"},
                      TextCase{-std::numeric_limits<double>::infinity(), "-INF", "-INF"},
                      TextCase{std::numeric_limits<double>::quiet_NaN(), "NAN", "NAN"}));

}  // namespace
