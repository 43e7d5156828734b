#include "LabelSteps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct StepCase {
  double top;  // axis from 0 to top
  double axisPixels;
  double labelSpacing;
  double expected;
};

class DoublingLabelStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(DoublingLabelStepTest, DoublesFromTheDesiredStepUntilLabelsFit) {
  const StepCase& c = GetParam();
  EXPECT_DOUBLE_EQ(DoublingLabelStep({0, c.top}, 0.0025, c.axisPixels, c.labelSpacing), c.expected)
      << "top " << c.top << ", " << c.axisPixels << " px";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoublingLabelStepTest,
    ::testing::Values(
        // 0..0.32 on the docked chart's plot height with 1.5 label heights per label.
        StepCase{0.32, 184, 19.5, 0.04},   // 9 labels
        StepCase{0.32, 279, 19.5, 0.04},   // 0.02 would need 17 labels
        StepCase{0.32, 340, 19.5, 0.02},   // 17 labels now fit
        StepCase{0.08, 184, 19.5, 0.01},   // 9 labels
        StepCase{0.02, 300, 20, 0.0025},   // 9 labels fit at once
        StepCase{0.02, 100, 20, 0.005},    // 5 labels
        StepCase{0.01, 10, 20, 0.02},      // nothing fits: stops past the range
        StepCase{1, 184, 19.5, 0.16},      // 7 labels: 0, 0.16, ... 0.96
        StepCase{1000, 184, 19.5, 163.84}  // 7 labels
        ));

TEST(DoublingLabelStep, UnlaidAxisStopsOnceTheStepExceedsTheRange) {
  EXPECT_DOUBLE_EQ(DoublingLabelStep({0, 0.1}, 0.0025, 0, 20), 0.16);
}

TEST(DoublingLabelStep, NoDesiredStepFallsBackToNiceSteps) {
  EXPECT_DOUBLE_EQ(DoublingLabelStep({0, 6}, 0, 560, 45), 1);
}

struct NiceCase {
  AxisRange range;
  double axisPixels;
  double labelSpacing;
  double expected;
};

class NiceLabelStepTest : public ::testing::TestWithParam<NiceCase> {};

TEST_P(NiceLabelStepTest, TakesTheSmallestFittingOneTwoFiveStep) {
  const NiceCase& c = GetParam();
  EXPECT_DOUBLE_EQ(NiceLabelStep(c.range, c.axisPixels, c.labelSpacing), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NiceLabelStepTest,
                         ::testing::Values(NiceCase{{0, 6}, 548, 45, 1},    // 7 labels
                                           NiceCase{{0, 6}, 752, 45, 0.5},  // 13 labels
                                           NiceCase{{0, 6}, 200, 45, 2},    // 4 labels
                                           NiceCase{{1.2, 1.9}, 548, 45, 0.1},
                                           NiceCase{{0, 0.5}, 548, 45, 0.05},
                                           NiceCase{{0, 6}, 0, 45, 10}));

struct ValuesCase {
  AxisRange range;
  double step;
  std::vector<double> expected;
};

class LabelValuesTest : public ::testing::TestWithParam<ValuesCase> {};

TEST_P(LabelValuesTest, StandOnMultiplesOfTheStepInsideTheRange) {
  const ValuesCase& c = GetParam();
  const std::vector<double> values = LabelValues(c.range, c.step);
  ASSERT_EQ(values.size(), c.expected.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_NEAR(values[i], c.expected[i], 1e-12) << "label " << i;
  }
  EXPECT_EQ(LabelCount(c.range, c.step), static_cast<double>(c.expected.size()));
}

INSTANTIATE_TEST_SUITE_P(Cases, LabelValuesTest,
                         ::testing::Values(
                             // 3 * 0.02 lies above 0.06 in binary; the label on the end stays.
                             ValuesCase{{0, 0.06}, 0.02, {0, 0.02, 0.04, 0.06}},
                             // Labels start from 0, not from the axis minimum.
                             ValuesCase{{0.13, 0.27}, 0.04, {0.16, 0.2, 0.24}},
                             ValuesCase{{-0.05, 0.05}, 0.05, {-0.05, 0, 0.05}},
                             ValuesCase{{0.001, 0.002}, 0.0025, {}}, ValuesCase{{0, 1}, 0, {}}));

TEST(LabelValues, ZeroIsNeverNegative) {
  const std::vector<double> values = LabelValues({-0.01, 0.01}, 0.02);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_FALSE(std::signbit(values[0]));
}

TEST(LabelValues, AreCappedForAbsurdSteps) {
  EXPECT_EQ(LabelValues({0, 1e9}, 1).size(), kMaxLabels);
}

}  // namespace
