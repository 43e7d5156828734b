#include "ZoomState.h"

#include <gtest/gtest.h>

#include <vector>

#include "AutomaticRanges.h"
#include "PlotMapping.h"
#include "ZoomFrame.h"

namespace {

struct DragCase {
  int dx;
  int dy;
  DragAction expected;
};

class DragRuleTest : public ::testing::TestWithParam<DragCase> {};

TEST_P(DragRuleTest, CountsOnlyDragsOverSixteenPixelsBothWays) {
  const DragCase& c = GetParam();
  EXPECT_EQ(ZoomState::Classify(c.dx, c.dy), c.expected) << c.dx << ", " << c.dy;
}

INSTANTIATE_TEST_SUITE_P(
    Drags, DragRuleTest,
    ::testing::Values(DragCase{17, 17, DragAction::Zoom}, DragCase{17, -17, DragAction::Zoom},
                      DragCase{200, 100, DragAction::Zoom}, DragCase{-17, 17, DragAction::Restore},
                      DragCase{-17, -17, DragAction::Restore}, DragCase{16, 100, DragAction::None},
                      DragCase{100, 16, DragAction::None}, DragCase{-16, 100, DragAction::None},
                      DragCase{-100, -16, DragAction::None}, DragCase{100, 0, DragAction::None},
                      DragCase{0, 0, DragAction::None}));

constexpr Rgb kButtonFace = 0xF0F0F0;
const LeftAxisSettings kFromZero{false, 0, 0.0025};
const PlotRanges kZoomed{{1, 2}, {0.05, 0.1}};

std::vector<ChartPoint> Line(double peak) { return {{0, peak / 2}, {1, peak}, {6, peak / 4}}; }

// The chart's view of the ranges: the zoom state over the data's own.
PlotRanges Shown(const ZoomState& zoom, const SeriesList& list) {
  return zoom.Effective(AutomaticRanges(list, kFromZero));
}

TEST(ZoomState, ZoomedRangesSurviveEveryChangeOfSeries) {
  SeriesList list(kButtonFace, kButtonFace);
  list.Append("A", Line(0.16));
  ZoomState zoom;
  zoom.ZoomTo(kZoomed);

  list.Append("B", Line(0.32));
  EXPECT_EQ(Shown(zoom, list), kZoomed) << "after adding";
  list.SetActive(1, false);
  EXPECT_EQ(Shown(zoom, list), kZoomed) << "after hiding";
  list.Remove(0);
  EXPECT_EQ(Shown(zoom, list), kZoomed) << "after removing";
}

TEST(ZoomState, RestoreShowsAllDataAddedWhileZoomed) {
  SeriesList list(kButtonFace, kButtonFace);
  list.Append("A", Line(0.16));
  ZoomState zoom;
  zoom.ZoomTo(kZoomed);
  list.Append("B", Line(0.32));
  zoom.Restore();
  EXPECT_FALSE(zoom.Zoomed());
  EXPECT_EQ(Shown(zoom, list), (PlotRanges{{0, 6}, {0, 0.32}}));
}

TEST(ZoomState, SecondZoomReplacesTheFirst) {
  ZoomState zoom;
  zoom.ZoomTo(kZoomed);
  const PlotRanges inner{{1.2, 1.5}, {0.06, 0.07}};
  zoom.ZoomTo(inner);
  EXPECT_EQ(zoom.Effective({}), inner);
}

// Plot area 100..700 x 10..210 pixels showing T 0..6 and Sa 0..0.4.
const PlotMapping kMapping({100, 10, 600, 200}, {{0, 6}, {0, 0.4}});

TEST(PlotMapping, RubberBandSelectsItsValuesWhicheverWayDrawn) {
  const PlotRanges expected{{1, 3}, {0.2, 0.3}};
  // Corners (200, 60) and (400, 110) in all four drawing directions.
  const PlotRanges a = kMapping.Selected(200, 60, 400, 110);
  const PlotRanges b = kMapping.Selected(400, 110, 200, 60);
  const PlotRanges c = kMapping.Selected(200, 110, 400, 60);
  for (const PlotRanges& selected : {a, b, c}) {
    EXPECT_DOUBLE_EQ(selected.x.min, expected.x.min);
    EXPECT_DOUBLE_EQ(selected.x.max, expected.x.max);
    EXPECT_DOUBLE_EQ(selected.y.min, expected.y.min);
    EXPECT_DOUBLE_EQ(selected.y.max, expected.y.max);
  }
}

TEST(PlotMapping, PanningMovesTheContentsWithTheMouse) {
  // Dragging right and down by a tenth of the plot brings earlier periods and higher Sa in.
  const PlotRanges panned = kMapping.Panned(60, 20);
  EXPECT_DOUBLE_EQ(panned.x.min, -0.6);
  EXPECT_DOUBLE_EQ(panned.x.max, 5.4);
  EXPECT_DOUBLE_EQ(panned.y.min, 0.04);
  EXPECT_DOUBLE_EQ(panned.y.max, 0.44);
}

TEST(PlotMapping, PlotWithoutSizeMapsNothing) {
  const PlotRanges ranges{{0, 6}, {0, 1}};
  const PlotMapping empty({0, 0, 0, 0}, ranges);
  EXPECT_FALSE(empty.Valid());
  EXPECT_EQ(empty.Selected(0, 0, 50, 50), ranges);
  EXPECT_EQ(empty.Panned(10, 10), ranges);
}

TEST(ZoomFrame, MovesEvenlyAndEndsExactlyOnTheTarget) {
  const PlotRanges from{{0, 6}, {0, 0.4}};
  const PlotRanges to{{1, 2}, {0.1, 0.2}};
  const PlotRanges middle = ZoomFrame(from, to, 4, 8);
  EXPECT_DOUBLE_EQ(middle.x.min, 0.5);
  EXPECT_DOUBLE_EQ(middle.x.max, 4);
  EXPECT_DOUBLE_EQ(middle.y.min, 0.05);
  EXPECT_DOUBLE_EQ(middle.y.max, 0.3);
  EXPECT_EQ(ZoomFrame(from, to, 8, 8), to);
  EXPECT_EQ(ZoomFrame(from, to, 0, 8), from);
}

}  // namespace
