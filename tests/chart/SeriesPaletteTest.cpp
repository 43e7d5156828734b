#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SeriesList.h"
#include "SeriesPalette.h"

namespace {

constexpr Rgb kButtonFace = 0xF0F0F0;

// A step of a session: "+name" creates a series, "-name" deletes it.
struct PaletteCase {
  const char* label;
  std::vector<std::string> steps;
  // Palette entry of every series left, in chart order.
  std::vector<int> entries;
};

class SeriesPaletteTest : public ::testing::TestWithParam<PaletteCase> {};

std::size_t IndexOf(const SeriesList& list, const std::string& title) {
  for (std::size_t i = 0; i < list.Count(); ++i) {
    if (list.At(i).Title() == title) return i;
  }
  ADD_FAILURE() << "no series " << title;
  return 0;
}

TEST_P(SeriesPaletteTest, GivesEachNewSeriesTheExpectedEntry) {
  SeriesList list(kButtonFace, kButtonFace);
  for (const std::string& step : GetParam().steps) {
    const std::string name = step.substr(1);
    if (step[0] == '+') {
      list.Append(name, {});
    } else {
      list.Remove(IndexOf(list, name));
    }
  }
  ASSERT_EQ(list.Count(), GetParam().entries.size());
  for (std::size_t i = 0; i < list.Count(); ++i) {
    EXPECT_EQ(list.At(i).Color(), SeriesPalette::Entry(GetParam().entries[i]))
        << "series " << list.At(i).Title();
  }
}

std::vector<std::string> Creates(int count) {
  std::vector<std::string> steps;
  for (int i = 0; i < count; ++i) steps.push_back("+S" + std::to_string(i));
  return steps;
}

std::vector<std::string> Then(std::vector<std::string> steps, std::vector<std::string> more) {
  steps.insert(steps.end(), more.begin(), more.end());
  return steps;
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, SeriesPaletteTest,
    ::testing::Values(
        PaletteCase{
            "ThirteenOnAnEmptyChart", Creates(13), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0}},
        PaletteCase{
            "FourteenthGetsEntryOne", Creates(14), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 1}},
        PaletteCase{"MiddleDeletedColourReused", {"+A", "+B", "+C", "-B", "+D"}, {0, 2, 1}},
        PaletteCase{"FirstDeletedColourReused", {"+A", "+B", "+C", "-A", "+D"}, {1, 2, 0}},
        PaletteCase{"LowestFreeEntryWins", {"+A", "+B", "+C", "-C", "-A", "+D", "+E"}, {1, 0, 2}},
        PaletteCase{"DeletedLastColourReused", {"+A", "+B", "+C", "-C", "+D"}, {0, 1, 2}},
        // Twelve present with entry 3 freed: the hole is found before the wrap-around.
        PaletteCase{"HoleFoundInFullChart",
                    Then(Creates(12), {"-S3", "+X"}),
                    {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 3}},
        // Entry 11 is never searched: freeing it leads to count mod 12.
        PaletteCase{"EntryElevenOnlyByWrapAround",
                    Then(Creates(12), {"-S11", "+X"}),
                    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        PaletteCase{"EmptyAgainStartsAtZero", {"+A", "+B", "-A", "-B", "+C"}, {0}}),
    [](const ::testing::TestParamInfo<PaletteCase>& info) { return info.param.label; });

TEST(SeriesPalette, SkipsEntriesEqualToBackgroundOrBackWall) {
  const Rgb first = SeriesPalette::Entry(0);
  const Rgb second = SeriesPalette::Entry(1);
  EXPECT_EQ(SeriesPalette::ChooseEntry({}, first, kButtonFace), 1);
  EXPECT_EQ(SeriesPalette::ChooseEntry({}, kButtonFace, first), 1);
  EXPECT_EQ(SeriesPalette::ChooseEntry({}, first, second), 2);
}

TEST(SeriesPalette, HasTheTwelveColoursInOrder) {
  const std::vector<Rgb> expected = {0x4466A3, 0xF39C35, 0xF14C14, 0x4E97A8, 0x2B406B, 0x1D7B63,
                                     0xB3080E, 0xF2C05D, 0x5DB79E, 0x707070, 0xF3EA8D, 0xB4B4B4};
  for (int i = 0; i < SeriesPalette::kEntryCount; ++i) {
    EXPECT_EQ(SeriesPalette::Entry(i), expected[static_cast<std::size_t>(i)]) << "entry " << i;
  }
}

}  // namespace
