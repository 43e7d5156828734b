// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/Warning.h"
#include "tests/support/RecordingDesktop.h"
#include "ui/windows/Unit1.h"

namespace {

// Two windows, the second built before the first is destroyed: the model's warnings go to the
// newest living window, whichever of the two ends first, and never to standard error.
struct EndCase {
  const char* what;
  bool firstEndsFirst;
  std::vector<QString> toFirst;
  std::vector<QString> toSecond;
};

class ModelWarnings : public ::testing::TestWithParam<EndCase> {};

TEST_P(ModelWarnings, GoToTheNewestLivingWindow) {
  RecordingDesktop firstDesktop;
  RecordingDesktop secondDesktop;
  auto first = std::make_unique<TForm1>(firstDesktop);
  auto second = std::make_unique<TForm1>(secondDesktop);
  ShowWarning("both open");
  (GetParam().firstEndsFirst ? first : second).reset();
  ShowWarning("one open");
  EXPECT_EQ(firstDesktop.Texts(MessageKind::Warning), GetParam().toFirst);
  EXPECT_EQ(secondDesktop.Texts(MessageKind::Warning), GetParam().toSecond);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, ModelWarnings,
    ::testing::Values(EndCase{"FirstEndsFirst", true, {}, {"both open", "one open"}},
                      EndCase{"SecondEndsFirst", false, {"one open"}, {"both open"}}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
