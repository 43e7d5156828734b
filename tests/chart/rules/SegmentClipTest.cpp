// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/SegmentClip.h"

#include <gtest/gtest.h>
#include <ostream>

#include <limits>

namespace {

const PixelRect kPlot{10, 10, 100, 50};  // x 10..110, y 10..60

struct ClipCase {
  Segment in;
  bool kept;
  Segment out;
};

void PrintTo(const ClipCase& c, std::ostream* out) {
  *out << '(' << c.in.x1 << ',' << c.in.y1 << ")-(" << c.in.x2 << ',' << c.in.y2 << ')';
}

class SegmentClipTest : public ::testing::TestWithParam<ClipCase> {};

TEST_P(SegmentClipTest, KeepsOnlyThePartInsideThePlot) {
  Segment segment = GetParam().in;
  ASSERT_EQ(ClipSegment(segment, kPlot), GetParam().kept);
  if (!GetParam().kept) return;
  EXPECT_DOUBLE_EQ(segment.x1, GetParam().out.x1);
  EXPECT_DOUBLE_EQ(segment.y1, GetParam().out.y1);
  EXPECT_DOUBLE_EQ(segment.x2, GetParam().out.x2);
  EXPECT_DOUBLE_EQ(segment.y2, GetParam().out.y2);
}

const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Cases, SegmentClipTest,
                         ::testing::Values(ClipCase{{20, 20, 30, 30}, true, {20, 20, 30, 30}},
                                           ClipCase{{0, 20, 200, 20}, true, {10, 20, 110, 20}},
                                           ClipCase{{60, 0, 60, 100}, true, {60, 10, 60, 60}},
                                           // A deep zoom: ends millions of pixels away.
                                           ClipCase{{-1e7, 35, 1e7, 35}, true, {10, 35, 110, 35}},
                                           ClipCase{{0, 0, 5, 100}, false, {}},
                                           ClipCase{{0, 0, 200, 5}, false, {}},
                                           // Crosses the corner region without entering.
                                           ClipCase{{0, 15, 15, 0}, false, {}},
                                           ClipCase{{20, 20, kInf, 30}, false, {}}));

}  // namespace
