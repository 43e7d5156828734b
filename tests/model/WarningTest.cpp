// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Warning.h"

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <sstream>

namespace {

// Swaps std::cerr's buffer for the lifetime of the object.
class CerrCapture {
 public:
  CerrCapture() : old_(std::cerr.rdbuf(captured_.rdbuf())) {}
  ~CerrCapture() { std::cerr.rdbuf(old_); }
  std::string Text() const { return captured_.str(); }

 private:
  std::ostringstream captured_;
  std::streambuf* old_;
};

TEST(WarningTest, DefaultHandlerWritesLineToStandardError) {
  CerrCapture capture;
  ShowWarning("Period is larger than 6.0s.");
  EXPECT_EQ(capture.Text(), "Period is larger than 6.0s.\n");
}

TEST(WarningTest, EndedOwnerRestoresDefault) {
  std::string seen;
  {
    ScopedWarningHandler owner([&seen](const std::string& text) { seen = text; });
    ShowWarning("one");
    EXPECT_EQ(seen, "one");
  }
  CerrCapture capture;
  ShowWarning("two");
  EXPECT_EQ(seen, "one");
  EXPECT_EQ(capture.Text(), "two\n");
}

// Two windows built one after the other and destroyed in either order.
TEST(WarningTest, OwnersEndingInAnyOrderLeaveTheNewestLivingOneInEffect) {
  std::string first;
  std::string second;
  for (const bool firstEndsFirst : {true, false}) {
    auto a = std::make_unique<ScopedWarningHandler>([&](const std::string& t) { first = t; });
    auto b = std::make_unique<ScopedWarningHandler>([&](const std::string& t) { second = t; });
    ShowWarning("both");
    EXPECT_EQ(second, "both");
    EXPECT_EQ(first, "");
    if (firstEndsFirst) {
      a.reset();
      ShowWarning("b left");
      EXPECT_EQ(second, "b left");
    } else {
      b.reset();
      ShowWarning("a left");
      EXPECT_EQ(first, "a left");
    }
    first.clear();
    second.clear();
  }
  CerrCapture capture;
  ShowWarning("none");
  EXPECT_EQ(capture.Text(), "none\n");
}

}  // namespace
