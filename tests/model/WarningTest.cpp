#include "model/Warning.h"

#include <gtest/gtest.h>

#include <iostream>
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

TEST(WarningTest, EmptyHandlerRestoresDefault) {
  std::string seen;
  SetWarningHandler([&seen](const std::string& text) { seen = text; });
  ShowWarning("one");
  EXPECT_EQ(seen, "one");

  SetWarningHandler({});
  CerrCapture capture;
  ShowWarning("two");
  EXPECT_EQ(seen, "one");
  EXPECT_EQ(capture.Text(), "two\n");
}

}  // namespace
