// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Sets the decimal separator of the number texts for a while and puts the previous one back.
class DecimalSeparatorScope {
 public:
  explicit DecimalSeparatorScope(std::string_view separator);
  ~DecimalSeparatorScope();
  DecimalSeparatorScope(const DecimalSeparatorScope&) = delete;
  DecimalSeparatorScope& operator=(const DecimalSeparatorScope&) = delete;

 private:
  std::string previous_;
};
