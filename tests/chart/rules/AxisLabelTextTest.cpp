#include "chart/rules/AxisLabelText.h"

#include <gtest/gtest.h>
#include <ostream>

#include <limits>
#include <string>
#include <vector>

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
  EXPECT_EQ(AxisLabelText(c.value, 3, "."), c.withPoint) << c.value;
  EXPECT_EQ(AxisLabelText(c.value, 3, ","), c.withComma) << c.value;
}

// Qt sets the C library's locale from the user's; the texts must not follow it.
TEST_P(AxisLabelTextTest, SameUnderACommaCLocale) {
  const CommaCLocale locale;
  if (!locale.Active()) GTEST_SKIP() << locale.Reason();
  const TextCase& c = GetParam();
  EXPECT_EQ(AxisLabelText(c.value, 3, "."), c.withPoint) << c.value;
  EXPECT_EQ(AxisLabelText(c.value, 3, ","), c.withComma) << c.value;
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

TEST(AxisLabelText, UsesTheCurrentDecimalSeparator) {
  const std::string saved = DecimalSeparator();
  SetDecimalSeparator(",");
  EXPECT_EQ(AxisLabelText(1000.25, 3), "1.000,25");
  SetDecimalSeparator(saved);
}

// A label reads its gridline's value exactly: steps finer than 0.005 widen the texts, coarser
// ones keep three decimals.
TEST(AxisLabelText, LabelsOfAStepReadTheirValuesExactly) {
  struct StepCase {
    double step;
    int decimals;
    std::vector<std::string> texts;  // of the first multiples from 1 up
  };
  const StepCase cases[] = {
      {0.0025, 4, {"0.0025", "0.005", "0.0075", "0.01", "0.0125"}},
      {0.00125, 5, {"0.00125", "0.0025", "0.00375"}},
      {0.005, 3, {"0.005", "0.01", "0.015"}},
      {0.02, 3, {"0.02", "0.04", "0.06"}},
      {163.84, 3, {"163.84", "327.68", "491.52"}},
      {5120, 3, {"5,120", "10,240", "15,360"}},
  };
  for (const StepCase& c : cases) {
    EXPECT_EQ(LabelDecimals(c.step), c.decimals) << c.step;
    for (std::size_t k = 0; k < c.texts.size(); ++k) {
      const double value = static_cast<double>(k + 1) * c.step;
      EXPECT_EQ(AxisLabelText(value, LabelDecimals(c.step), "."), c.texts[k]) << value;
    }
  }
  EXPECT_EQ(AxisLabelText(1234.0075, 4, ","), "1.234,0075");
}

}  // namespace
