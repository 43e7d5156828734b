// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordScaling.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "tests/records/RecordsTestData.h"

namespace {

TEST(RecordScalingTest, TimeHistoryTableByIntensityAndAction) {
  const double expected[6][3] = {{18, 50, 125},  {35, 100, 220},  {55, 150, 310},
                                 {70, 200, 400}, {110, 300, 510}, {140, 400, 620}};
  for (int row = 0; row < 6; ++row) {
    for (int column = 0; column < 3; ++column) {
      EXPECT_EQ(TimeHistoryPeakAcceleration(row, column), expected[row][column]);
    }
  }
  // Outside the lists: the last intensity row and the first action column, as for AlphaMax.
  EXPECT_EQ(TimeHistoryPeakAcceleration(-1, 1), 400);
  EXPECT_EQ(TimeHistoryPeakAcceleration(0, 3), 18);
}

TEST(RecordScalingTest, FactorBringsThePeakToTheTarget) {
  const GroundMotion motion = Motion(0.01, {0.1, -0.25, 0.2});
  EXPECT_EQ(ScaleFactor(motion, std::nullopt), 1);
  EXPECT_DOUBLE_EQ(ScaleFactor(motion, 70) * 0.25 * 980.665, 70);
  EXPECT_THROW(ScaleFactor(motion, 0.0), std::invalid_argument);
  EXPECT_THROW(ScaleFactor(motion, -5.0), std::invalid_argument);
  EXPECT_THROW(ScaleFactor(Motion(0.01, {0, 0}), 70), std::invalid_argument);
}

}  // namespace
