// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CodeTables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(std::span<const char* const> list) {
  return {list.begin(), list.end()};
}

TEST(CodeTablesTest, ListTexts) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Texts(CodeEditionNames()), (V{"GB 50011-2010", "GB 50011-2001"}));
  EXPECT_EQ(Texts(IntensityNames()), (V{"6 ( 0.05 g )", "7 ( 0.10 g)", "7 ( 0.15 g)", "8 ( 0.20 g)",
                                        "8 ( 0.30 g)", "9 ( 0.40 g)"}));
  EXPECT_EQ(Texts(ActionNames()),
            (V{"Frequently earthquake", "Fortification earthquake", "Rarely earthquake"}));
  EXPECT_EQ(Texts(SiteClassNames()), (V{"I0", "I1", "II", "III", "IV"}));
  EXPECT_EQ(Texts(GroupNames()), (V{"1st Group", "2nd Group", "3th Group"}));
}

TEST(CodeTablesTest, AlphaMaxTable) {
  const double expected[6][3] = {{0.04, 0.12, 0.28}, {0.08, 0.23, 0.50}, {0.12, 0.34, 0.72},
                                 {0.16, 0.45, 0.90}, {0.24, 0.68, 1.20}, {0.32, 0.90, 1.40}};
  for (int row = 0; row < 6; ++row) {
    for (int column = 0; column < 3; ++column) {
      EXPECT_EQ(DefaultAlphaMax(row, column), expected[row][column]) << row << "," << column;
    }
  }
}

TEST(CodeTablesTest, TgTable) {
  const double expected[5][3] = {{0.20, 0.25, 0.30},
                                 {0.25, 0.30, 0.35},
                                 {0.35, 0.40, 0.45},
                                 {0.45, 0.55, 0.65},
                                 {0.65, 0.75, 0.90}};
  for (int row = 0; row < 5; ++row) {
    for (int column = 0; column < 3; ++column) {
      EXPECT_EQ(DefaultTg(row, column), expected[row][column]) << row << "," << column;
    }
  }
}

struct FallbackCase {
  int row, column;
  double value;
};

TEST(CodeTablesTest, AlphaMaxOutsideTheListsFallsBackToLastRowAndFirstColumn) {
  for (const FallbackCase c :
       {FallbackCase{6, 1, 0.90}, FallbackCase{-1, 2, 1.40}, FallbackCase{2, 3, 0.12},
        FallbackCase{4, -1, 0.24}, FallbackCase{99, -7, 0.32}}) {
    EXPECT_EQ(DefaultAlphaMax(c.row, c.column), c.value) << c.row << "," << c.column;
  }
}

TEST(CodeTablesTest, TgOutsideTheListsHasNoValueOrFirstColumn) {
  for (const int siteClass : {5, -1, 100}) EXPECT_FALSE(DefaultTg(siteClass, 0).has_value());
  EXPECT_EQ(DefaultTg(4, 3), 0.65);
  EXPECT_EQ(DefaultTg(3, -1), 0.45);
}

}  // namespace
