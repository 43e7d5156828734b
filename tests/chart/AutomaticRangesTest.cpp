#include "AutomaticRanges.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "LegendEntries.h"

namespace {

constexpr Rgb kButtonFace = 0xF0F0F0;
const LeftAxisSettings kFromZero{false, 0, 0.0025};

// A spectrum-like series from T = t0 to t1 whose largest Sa is peak and smallest floor.
std::vector<ChartPoint> Line(double t0, double t1, double floor, double peak) {
  return {{t0, floor}, {(t0 + t1) / 2, peak}, {t1, floor}};
}

struct RangeCase {
  const char* label;
  std::vector<bool> shown;  // of the three series below
  PlotRanges expected;
};

class AutomaticRangesTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(AutomaticRangesTest, FollowShownSeries) {
  SeriesList list(kButtonFace, kButtonFace);
  list.Append("A", Line(0, 6, 0.02, 0.08));
  list.Append("B", Line(0, 6, 0.05, 0.32));
  list.Append("C", Line(0.5, 3, 0.04, 0.16));
  for (std::size_t i = 0; i < 3; ++i) list.SetActive(i, GetParam().shown[i]);
  EXPECT_EQ(AutomaticRanges(list, kFromZero), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Shown, AutomaticRangesTest,
    ::testing::Values(RangeCase{"All", {true, true, true}, {{0, 6}, {0, 0.32}}},
                      RangeCase{"TallestHidden", {true, false, true}, {{0, 6}, {0, 0.16}}},
                      RangeCase{"OnlyShort", {false, false, true}, {{0.5, 3}, {0, 0.16}}},
                      RangeCase{"NoneShownUsesAll", {false, false, false}, {{0, 6}, {0, 0.32}}}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return info.param.label; });

TEST(AutomaticRanges, LeftMinimumComesFromDataUntilFixed) {
  SeriesList list(kButtonFace, kButtonFace);
  list.Append("A", Line(0, 6, 0.02, 0.08));
  EXPECT_EQ(AutomaticRanges(list, LeftAxisSettings{}).y, (AxisRange{0.02, 0.08}));
  EXPECT_EQ(AutomaticRanges(list, kFromZero).y, (AxisRange{0, 0.08}));
}

TEST(AutomaticRanges, EmptyChartHasPeriodsAndOneUnitOfSa) {
  const SeriesList list(kButtonFace, kButtonFace);
  EXPECT_EQ(AutomaticRanges(list, kFromZero), (PlotRanges{{0, 6}, {0, 1}}));
}

TEST(AutomaticRanges, NeverCollapsesToOneValue) {
  SeriesList list(kButtonFace, kButtonFace);
  list.Append("flat zero", {{0, 0}, {6, 0}});
  const PlotRanges ranges = AutomaticRanges(list, kFromZero);
  EXPECT_EQ(ranges.x, (AxisRange{0, 6}));
  EXPECT_GT(ranges.y.max, ranges.y.min);
}

TEST(AutomaticRanges, IgnoresNonFinitePoints) {
  SeriesList list(kButtonFace, kButtonFace);
  const double inf = std::numeric_limits<double>::infinity();
  list.Append("A", {{0, 0.1}, {1, inf}, {2, std::numeric_limits<double>::quiet_NaN()}, {3, 0.2}});
  EXPECT_EQ(AutomaticRanges(list, kFromZero), (PlotRanges{{0, 3}, {0, 0.2}}));
}

TEST(AutomaticRanges, RemovedSeriesNoLongerCounts) {
  SeriesList list(kButtonFace, kButtonFace);
  list.Append("A", Line(0, 6, 0.02, 0.08));
  list.Append("B", Line(0, 6, 0.05, 0.32));
  list.Remove(1);
  EXPECT_EQ(AutomaticRanges(list, kFromZero).y, (AxisRange{0, 0.08}));
}

TEST(LegendEntries, OnePerShownSeriesInChartOrder) {
  SeriesList list(kButtonFace, kButtonFace);
  list.Append("A", {});
  list.Append("<b>x</b>", {});
  list.Append("C", {});
  list.SetActive(0, false);
  const std::vector<LegendEntry> entries = LegendEntries(list);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].seriesIndex, 1u);
  EXPECT_EQ(entries[0].title, "<b>x</b>");
  EXPECT_EQ(entries[0].color, SeriesPalette::Entry(1));
  EXPECT_EQ(entries[1].seriesIndex, 2u);
  EXPECT_EQ(entries[1].title, "C");

  list.SetActive(1, false);
  list.SetActive(2, false);
  EXPECT_TRUE(LegendEntries(list).empty());
}

TEST(SeriesList, SettingTheSameShownStateIsNoChange) {
  SeriesList list(kButtonFace, kButtonFace);
  list.Append("A", {});
  EXPECT_FALSE(list.SetActive(0, true));
  EXPECT_TRUE(list.SetActive(0, false));
  EXPECT_FALSE(list.SetActive(0, false));
  EXPECT_FALSE(list.At(0).Active());
}

TEST(SeriesList, RemoveKeepsOrderAndColours) {
  SeriesList list(kButtonFace, kButtonFace);
  list.Append("A", {});
  list.Append("B", {});
  list.Append("C", {});
  list.Remove(1);
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.At(0).Title(), "A");
  EXPECT_EQ(list.At(1).Title(), "C");
  EXPECT_EQ(list.At(1).Color(), SeriesPalette::Entry(2));
  EXPECT_THROW(list.Remove(2), std::out_of_range);
}

}  // namespace
