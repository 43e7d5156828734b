// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/ErrorText.h"

#include <gtest/gtest.h>
#include <stdexcept>

#include "tests/support/QtPrinters.h"

namespace {

struct ErrorTextCase {
  const char* message;
  const char* shown;
};

void PrintTo(const ErrorTextCase& c, std::ostream* out) { *out << '"' << c.message << '"'; }

class ErrorTextTable : public ::testing::TestWithParam<ErrorTextCase> {};

TEST_P(ErrorTextTable, AppendsFullStopAfterCodesAbove46) {
  const ErrorTextCase& c = GetParam();
  EXPECT_EQ(ErrorText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ErrorTextTable,
    ::testing::Values(ErrorTextCase{"", ""},  // nothing to end
                      ErrorTextCase{"Stream write error", "Stream write error."},
                      ErrorTextCase{"Done.", "Done."},                // 46 itself
                      ErrorTextCase{"Trailing ", "Trailing "},        // 32
                      ErrorTextCase{"Stop!", "Stop!"},                // 33
                      ErrorTextCase{"(x)", "(x)"},                    // 41
                      ErrorTextCase{"path/", "path/."},               // 47, the first code above
                      ErrorTextCase{"quoted \"x\"", "quoted \"x\""},  // 34
                      ErrorTextCase{"文件", "文件."}));

TEST(ErrorText, ReadsExceptionMessageAsUtf8) {
  const std::runtime_error error("Cannot create file \"/tmp/é/x.csv\". No such file or directory");
  EXPECT_EQ(ErrorText(error),
            QString::fromUtf8("Cannot create file \"/tmp/é/x.csv\". No such file or directory."));
}

}  // namespace
