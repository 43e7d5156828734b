// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/LabelSteps.h"

#include <gtest/gtest.h>
#include <ostream>

#include <vector>

namespace {

struct StepCase {
  AxisRange range;
  double axisPixels;
  double labelSpacing;
  double expected;
};

void PrintTo(const StepCase& c, std::ostream* out) {
  *out << c.range.min << ".." << c.range.max << " over " << c.axisPixels << " px";
}

class DoublingLabelStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(DoublingLabelStepTest, DoublesFrom0_0025UntilLabelsFitOrPassTheRange) {
  const StepCase& c = GetParam();
  EXPECT_DOUBLE_EQ(DoublingLabelStep(c.range, 0.0025, c.axisPixels, c.labelSpacing), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DoublingLabelStepTest,
                         ::testing::Values(StepCase{{0, 0.32}, 184, 19.5, 0.04},  // 9 labels
                                           StepCase{{0, 0.32}, 340, 19.5, 0.02},  // 17 labels
                                           StepCase{{0, 0.08}, 184, 19.5, 0.01},
                                           StepCase{{0, 0.02}, 300, 20, 0.0025},  // fits at once
                                           StepCase{{0, 0.02}, 100, 20, 0.005},   // 5 labels
                                           StepCase{{0, 1000}, 184, 19.5, 163.84},
                                           // Nothing fits: stops past the range.
                                           StepCase{{0, 0.01}, 10, 20, 0.02},
                                           StepCase{{0, 0.1}, 0, 20, 0.16}));

class NiceLabelStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(NiceLabelStepTest, TakesTheSmallestFittingOneTwoFiveStep) {
  const StepCase& c = GetParam();
  EXPECT_DOUBLE_EQ(NiceLabelStep(c.range, c.axisPixels, c.labelSpacing), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NiceLabelStepTest,
                         ::testing::Values(StepCase{{0, 6}, 548, 45, 1},    // 7 labels
                                           StepCase{{0, 6}, 752, 45, 0.5},  // 13 labels
                                           StepCase{{0, 6}, 200, 45, 2},
                                           StepCase{{1.2, 1.9}, 548, 45, 0.1},
                                           StepCase{{0, 6}, 0, 45, 10},
                                           // Never finer than the texts' three decimals.
                                           StepCase{{1, 1.004}, 548, 45, 0.001}));

struct ValuesCase {
  AxisRange range;
  double step;
  std::vector<double> expected;
};

void PrintTo(const ValuesCase& c, std::ostream* out) {
  *out << c.range.min << ".." << c.range.max << " by " << c.step;
}

class LabelValuesTest : public ::testing::TestWithParam<ValuesCase> {};

TEST_P(LabelValuesTest, StandOnMultiplesOfTheStepInsideTheRange) {
  const ValuesCase& c = GetParam();
  const std::vector<double> values = LabelValues(c.range, c.step);
  ASSERT_EQ(values.size(), c.expected.size());
  for (std::size_t i = 0; i < values.size(); ++i) EXPECT_NEAR(values[i], c.expected[i], 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, LabelValuesTest,
                         ::testing::Values(
                             // 3 * 0.02 lies above 0.06 in binary; the label on the end stays.
                             ValuesCase{{0, 0.06}, 0.02, {0, 0.02, 0.04, 0.06}},
                             // From 0, not from the axis minimum.
                             ValuesCase{{0.13, 0.27}, 0.04, {0.16, 0.2, 0.24}},
                             ValuesCase{{-0.05, 0.05}, 0.05, {-0.05, 0, 0.05}},
                             ValuesCase{{0.001, 0.002}, 0.0025, {}}, ValuesCase{{0, 1}, 0, {}}));

}  // namespace
