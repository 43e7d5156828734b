// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "records/DecimalFastPath.h"

namespace {

// What the full conversion makes of a text ("D" exponents written as "E").
double FullConversion(std::string text) {
  for (char& c : text) c = c == 'D' || c == 'd' ? 'E' : c;
  const char* begin = text.c_str() + (text[0] == '+' ? 1 : 0);
  double value = 0;
  std::from_chars(begin, text.c_str() + text.size(), value);
  return value;
}

TEST(DecimalFastPathTest, SameBitsAsTheFullConversionOrNoValue) {
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> magnitude(-12, 3);
  const char* formats[] = {"%.7E", "%.5f", "%.6e", "%.15g", "%.17g", "%.9E"};
  std::vector<std::string> texts = {"0",
                                    "-0.0",
                                    ".5",
                                    "5.",
                                    "+1.5",
                                    "1.0D-3",
                                    "1e22",
                                    "1e23",
                                    "9007199254740993",
                                    "1.5E-22",
                                    "3E0005",
                                    "0.000000000000000000001",
                                    "12345678901234567890"};
  for (int k = 0; k < 20000; ++k) {
    char text[64];
    const double value = std::pow(10.0, magnitude(random)) * (k % 2 ? -1 : 1);
    std::snprintf(text, sizeof text, formats[k % 6], value);
    texts.push_back(text);
  }
  std::size_t fast = 0;
  for (const std::string& text : texts) {
    const auto value = ParseDecimalFastPath(text);
    if (!value) continue;
    ++fast;
    const double full = FullConversion(text);
    EXPECT_EQ(std::memcmp(&*value, &full, sizeof full), 0) << text;
  }
  EXPECT_GT(fast, texts.size() / 2);  // the formats records use take the short path
  for (const char* refused : {"", ".", "-", "1E", "+-5", "1.2.3", "inf", "1e5x", "--1"}) {
    EXPECT_FALSE(ParseDecimalFastPath(refused)) << refused;
  }
}

}  // namespace
