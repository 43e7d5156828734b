// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/ZoomState.h"

#include <gtest/gtest.h>
#include <ostream>

#include <vector>

#include "chart/rules/AutomaticRanges.h"

namespace {

struct DragCase {
  int dx;
  int dy;
  DragAction expected;
};

void PrintTo(const DragCase& c, std::ostream* out) { *out << "drag " << c.dx << ',' << c.dy; }

class DragRuleTest : public ::testing::TestWithParam<DragCase> {};

TEST_P(DragRuleTest, CountsOnlyDragsOverSixteenPixelsBothWays) {
  EXPECT_EQ(ZoomState::Classify(GetParam().dx, GetParam().dy), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, DragRuleTest,
    ::testing::Values(DragCase{17, 17, DragAction::Zoom}, DragCase{17, -17, DragAction::Zoom},
                      DragCase{-17, 17, DragAction::Restore},
                      DragCase{-17, -17, DragAction::Restore}, DragCase{16, 100, DragAction::None},
                      DragCase{100, 16, DragAction::None}, DragCase{-16, 100, DragAction::None},
                      DragCase{-100, -16, DragAction::None}, DragCase{0, 0, DragAction::None}));

constexpr Rgb kButtonFace = 0xF0F0F0;
const LeftAxisSettings kFromZero{false, 0, 0.0025};

TEST(ZoomState, ZoomedRangesHoldThroughEveryChangeUntilRestored) {
  SeriesList list(kButtonFace, kButtonFace);
  list.Append("A", {{0, 0.08}, {6, 0.02}});
  ZoomState zoom;
  const PlotRanges zoomed{{1, 2}, {0.05, 0.1}};
  zoom.ZoomTo(zoomed);
  const auto shown = [&] { return zoom.Effective(AutomaticRanges(list, kFromZero)); };

  list.Append("B", {{0, 0.32}, {6, 0.05}});
  EXPECT_EQ(shown(), zoomed) << "after adding";
  list.SetActive(1, false);
  EXPECT_EQ(shown(), zoomed) << "after hiding";
  list.SetActive(1, true);
  list.Remove(0);
  EXPECT_EQ(shown(), zoomed) << "after removing";

  zoom.Restore();
  EXPECT_EQ(shown(), (PlotRanges{{0, 6}, {0, 0.32}})) << "restore shows the new data";
}

}  // namespace
