// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct NumberCase {
  const char* text;
  std::optional<double> value;
};

class RecordNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(RecordNumberTest, ReadsDataFileNumbers) {
  const NumberCase c = GetParam();
  EXPECT_EQ(ParseRecordNumber(c.text), c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RecordNumberTest,
    ::testing::Values(NumberCase{"0.00630", 0.0063}, NumberCase{"-0.00128", -0.00128},
                      NumberCase{".62353E-02", 0.0062353}, NumberCase{"-.62353E-02", -0.0062353},
                      NumberCase{"+.5", 0.5}, NumberCase{"5.", 5.0}, NumberCase{"1.0D-3", 0.001},
                      NumberCase{"1.0d+3", 1000.0}, NumberCase{"2.5e-3", 0.0025},
                      NumberCase{"7", 7.0}, NumberCase{"", std::nullopt},
                      NumberCase{"-", std::nullopt}, NumberCase{".", std::nullopt},
                      NumberCase{"+-5", std::nullopt}, NumberCase{"--5", std::nullopt},
                      NumberCase{"inf", std::nullopt}, NumberCase{"-nan", std::nullopt},
                      NumberCase{"1e400", std::nullopt}, NumberCase{"0x10", std::nullopt},
                      NumberCase{"1,5", std::nullopt}, NumberCase{"1e", std::nullopt},
                      NumberCase{"1.2.3", std::nullopt}, NumberCase{"-0.1-0.2", std::nullopt},
                      NumberCase{"abc", std::nullopt}));

TEST(RecordTextTest, EveryLineEndEndsALine) {
  using V = std::vector<std::string_view>;
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\n\nb\r\n"), (V{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\xEF\xBB\xBFx"), (V{"x"}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(RecordTextTest, FieldsSplitAtBlanksCommasAndSemicolons) {
  using V = std::vector<std::string_view>;
  EXPECT_EQ(SplitFields("  1\t2,3 ; 4  "), (V{"1", "2", "3", "4"}));
  EXPECT_TRUE(SplitFields(" \t ").empty());
}

TEST(RecordTextTest, QuotedFieldsAreShortAndPrintable) {
  EXPECT_EQ(QuoteField("x\x01y"), "\"x?y\"");
  EXPECT_EQ(QuoteField(std::string(30, 'a')), "\"" + std::string(24, 'a') + "...\"");
}

}  // namespace
