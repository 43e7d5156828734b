// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/ShortestNumber.h"

#include <charconv>

std::string ShortestNumber(double value, std::string_view decimalSeparator) {
  char digits[32];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  std::string text;
  for (const char* c = digits; c != end; ++c) {
    if (*c == '.' && !decimalSeparator.empty()) {
      text.append(decimalSeparator);
    } else {
      text.push_back(*c);
    }
  }
  return text;
}
