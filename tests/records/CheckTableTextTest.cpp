// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/CheckTableText.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    EXPECT_TRUE(line.ends_with('\r')) << line;
    line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// A comma as the decimal separator puts every number that holds it in quotes, so the columns
// stay; the verdict's reasons are one field.
TEST(CheckTableTextTest, CommaSeparatorKeepsTheColumns) {
  const DesignSpectrum design("d", 0.16, 0.35, 0.05, 0);
  const CheckRecord record{"a.AT2", {0.16}, 2, true, 0.125, 0.5};
  const CheckResult result = CheckCompatibility({record, record}, design, {{0.3}, 0.2, {}});
  const std::vector<std::string> lines = Lines(BuildCheckTableText(design, result, ","));
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[1], "d,GB 50011-2010,\"0,16\",\"0,35\",\"0,05\"");
  EXPECT_EQ(lines[3], "20,\"0,3\",\"1,5\",\"0,25\",4");
  EXPECT_EQ(lines[6], "\"0,3\",\"0,16\",\"0,16\",0,pass,\"0,16\",\"0,16\"");
  EXPECT_EQ(lines[9], "a.AT2,real,\"0,5\",\"0,125\",no,2,long enough");
  EXPECT_EQ(lines[13], "2,2,0,yes,too few,fail,fewer than 3 records");
}

}  // namespace
