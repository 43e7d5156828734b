// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/AutomaticRanges.h"

#include <gtest/gtest.h>
#include <ostream>

#include <limits>
#include <vector>

#include "chart/rules/LegendEntries.h"

namespace {

constexpr Rgb kButtonFace = 0xF0F0F0;
const LeftAxisSettings kFromZero{false, 0, 0.0025};

// A spectrum-like series from T = t0 to t1 whose Sa runs between floor and peak.
std::vector<ChartPoint> Line(double t0, double t1, double floor, double peak) {
  return {{t0, floor}, {(t0 + t1) / 2, peak}, {t1, floor}};
}

struct RangeCase {
  std::vector<bool> shown;  // of the three series below
  PlotRanges expected;
};

void PrintTo(const RangeCase& c, std::ostream* out) {
  *out << "shown";
  for (const bool shown : c.shown) *out << ' ' << shown;
}

class AutomaticRangesTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(AutomaticRangesTest, FollowShownSeriesOrAllWhenNoneIsShown) {
  SeriesList list(kButtonFace, kButtonFace);
  list.Append("A", Line(0, 6, 0.02, 0.08));
  list.Append("B", Line(0, 6, 0.05, 0.32));
  list.Append("C", Line(0.5, 3, 0.04, 0.16));
  for (std::size_t i = 0; i < 3; ++i) list.SetActive(i, GetParam().shown[i]);
  EXPECT_EQ(AutomaticRanges(list, kFromZero), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Shown, AutomaticRangesTest,
                         ::testing::Values(RangeCase{{true, true, true}, {{0, 6}, {0, 0.32}}},
                                           RangeCase{{true, false, true}, {{0, 6}, {0, 0.16}}},
                                           RangeCase{{false, false, true}, {{0.5, 3}, {0, 0.16}}},
                                           RangeCase{{false, false, false}, {{0, 6}, {0, 0.32}}}));

TEST(AutomaticRanges, EdgeCases) {
  SeriesList list(kButtonFace, kButtonFace);
  EXPECT_EQ(AutomaticRanges(list, kFromZero), (PlotRanges{{0, 6}, {0, 1}})) << "no series";

  list.Append("A", Line(0, 6, 0.02, 0.08));
  EXPECT_EQ(AutomaticRanges(list, LeftAxisSettings{}).y, (AxisRange{0.02, 0.08}))
      << "automatic minimum";

  list.Remove(0);
  list.Append("flat", {{0, 0}, {6, 0}});
  EXPECT_GT(AutomaticRanges(list, kFromZero).y.max, 0) << "never a single value";

  list.Remove(0);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  list.Append("bad", {{0, 0.1}, {1, std::numeric_limits<double>::infinity()}, {2, nan}, {3, 0.2}});
  EXPECT_EQ(AutomaticRanges(list, kFromZero), (PlotRanges{{0, 3}, {0, 0.2}})) << "non-finite";
}

// Qt Charts draws no axis at all over a span of 1e-12 or less.
constexpr double kDrawingEngineZero = 1e-12;

class TinySaTest : public ::testing::TestWithParam<double> {};

TEST_P(TinySaTest, LeftAxisKeepsADrawableSpanAboveTheData) {
  const double peak = GetParam();
  SeriesList list(kButtonFace, kButtonFace);
  list.Append("tiny", Line(0, 6, peak * 0.45, peak));
  const AxisRange y = AutomaticRanges(list, kFromZero).y;
  EXPECT_EQ(y.min, 0);
  EXPECT_GE(y.max, peak);
  EXPECT_GT(y.Span(), 10 * kDrawingEngineZero) << "with room to spare";
  if (peak >= 1e-10) {
    EXPECT_EQ(y.max, peak) << "true to scale where the engine can draw it";
  }
}

INSTANTIATE_TEST_SUITE_P(Peaks, TinySaTest,
                         ::testing::Values(1e-3, 1e-10, 1e-11, 2e-12, 1e-12, 1e-13, 1e-300,
                                           std::numeric_limits<double>::denorm_min()));

TEST(LegendEntries, OnePerShownSeriesInChartOrder) {
  SeriesList list(kButtonFace, kButtonFace);
  for (const char* title : {"A", "<b>x</b>", "C"}) list.Append(title, {});
  EXPECT_FALSE(list.SetActive(0, true)) << "no change";
  EXPECT_TRUE(list.SetActive(0, false));

  const std::vector<LegendEntry> entries = LegendEntries(list);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].seriesIndex, 1u);
  EXPECT_EQ(entries[0].title, "<b>x</b>");
  EXPECT_EQ(entries[0].color, SeriesPalette::Entry(1));
  EXPECT_EQ(entries[1].title, "C");

  list.SetActive(1, false);
  list.SetActive(2, false);
  EXPECT_TRUE(LegendEntries(list).empty());
}

}  // namespace
