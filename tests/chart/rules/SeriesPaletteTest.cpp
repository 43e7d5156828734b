// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <ostream>

#include <string>
#include <vector>

#include "chart/rules/SeriesList.h"
#include "chart/rules/SeriesPalette.h"

namespace {

constexpr Rgb kButtonFace = 0xF0F0F0;

// A session: "+name" creates a series, "-name" deletes it; then the palette entry of every
// series left, in chart order.
struct PaletteCase {
  const char* label;
  std::vector<std::string> steps;
  std::vector<int> entries;
};

void PrintTo(const PaletteCase& c, std::ostream* out) { *out << c.label; }

class SeriesPaletteTest : public ::testing::TestWithParam<PaletteCase> {};

TEST_P(SeriesPaletteTest, GivesEachNewSeriesTheLowestFreeEntry) {
  SeriesList list(kButtonFace, kButtonFace);
  for (const std::string& step : GetParam().steps) {
    const std::string name = step.substr(1);
    if (step[0] == '+') {
      list.Append(name, {});
      continue;
    }
    std::size_t i = 0;
    while (list.At(i).Title() != name) ++i;
    list.Remove(i);
  }
  ASSERT_EQ(list.Count(), GetParam().entries.size());
  for (std::size_t i = 0; i < list.Count(); ++i) {
    EXPECT_EQ(list.At(i).Color(), SeriesPalette::Entry(GetParam().entries[i])) << i;
  }
}

std::vector<std::string> Creates(int count, std::vector<std::string> then = {}) {
  std::vector<std::string> steps;
  for (int i = 0; i < count; ++i) steps.push_back("+S" + std::to_string(i));
  steps.insert(steps.end(), then.begin(), then.end());
  return steps;
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, SeriesPaletteTest,
    ::testing::Values(
        PaletteCase{
            "FourteenOnAnEmptyChart", Creates(14), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 1}},
        PaletteCase{"MiddleDeleted", {"+A", "+B", "+C", "-B", "+D"}, {0, 2, 1}},
        PaletteCase{"FirstDeleted", {"+A", "+B", "+C", "-A", "+D"}, {1, 2, 0}},
        PaletteCase{"LowestFreeWins", {"+A", "+B", "+C", "-C", "-A", "+D", "+E"}, {1, 0, 2}},
        PaletteCase{
            "HoleInAFullChart", Creates(12, {"-S3", "+X"}), {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 3}},
        // Entry 11 is never searched for: freeing it leads to the count mod 12.
        PaletteCase{"ElevenOnlyByWrapAround",
                    Creates(12, {"-S11", "+X"}),
                    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}}),
    [](const ::testing::TestParamInfo<PaletteCase>& info) { return info.param.label; });

TEST(SeriesPalette, SkipsEntriesEqualToBackgroundOrBackWall) {
  const Rgb first = SeriesPalette::Entry(0);
  EXPECT_EQ(SeriesPalette::ChooseEntry({}, first, kButtonFace), 1);
  EXPECT_EQ(SeriesPalette::ChooseEntry({}, kButtonFace, first), 1);
  EXPECT_EQ(SeriesPalette::ChooseEntry({}, first, SeriesPalette::Entry(1)), 2);
}

TEST(SeriesPalette, WrapsToTheGreyAndBackToTheBlue) {
  EXPECT_EQ(SeriesPalette::Entry(11), 0xB4B4B4u);
  EXPECT_EQ(SeriesPalette::Entry(0), 0x4466A3u);
}

}  // namespace
