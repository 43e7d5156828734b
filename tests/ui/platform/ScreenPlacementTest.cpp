#include "ui/platform/ScreenPlacement.h"

#include <gtest/gtest.h>

#include "tests/support/QtPrinters.h"

namespace {

struct PlaceCase {
  const char* what;
  QPoint centre;
  QSize frame;
  QPoint expected;
};

void PrintTo(const PlaceCase& c, std::ostream* out) { *out << c.what; }

class PlacedTopLeftTest : public ::testing::TestWithParam<PlaceCase> {};

// A screen of 1600 x 860 below a 40 px panel, as a 2x-scaled 1600 x 900 desktop sees it
// halved: 800 x 430 from (0, 20).
const QRect kAvailable(0, 20, 800, 430);

TEST_P(PlacedTopLeftTest, KeepsTheTitleBarOnTheScreen) {
  EXPECT_EQ(PlacedTopLeft(GetParam().centre, GetParam().frame, kAvailable), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacedTopLeftTest,
    ::testing::Values(PlaceCase{"fits, centred", {400, 235}, {200, 100}, {300, 185}},
                      PlaceCase{"off the left and top", {10, 0}, {200, 100}, {0, 20}},
                      PlaceCase{"off the right and bottom", {790, 440}, {200, 100}, {600, 350}},
                      PlaceCase{"exactly as wide", {100, 235}, {800, 100}, {0, 185}},
                      // The main window at 2x: wider than the screen.
                      PlaceCase{"too wide", {400, 235}, {933, 470}, {0, 20}},
                      PlaceCase{"too tall", {400, 235}, {300, 600}, {250, 20}}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(FittedSize, ShrinksTheClientSoTheFrameFits) {
  const QMargins frame(1, 30, 1, 1);
  EXPECT_EQ(FittedSize({1240, 780}, frame, kAvailable), QSize(798, 399));
  EXPECT_EQ(FittedSize({640, 300}, frame, kAvailable), QSize(640, 300));
  EXPECT_EQ(FittedSize({640, 300}, frame, QRect()), QSize(0, 0));
}

}  // namespace
