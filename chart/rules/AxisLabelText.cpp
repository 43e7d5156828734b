#include "chart/rules/AxisLabelText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/NumberText.h"

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kDecimals = 3;

struct Decimal {
  std::string digits;  // significant digits, the first one not zero
  int exponent = 0;    // the first digit's place: value = 0.d1d2... * 10^(exponent + 1)
};

Decimal ToDecimal(double magnitude) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, magnitude);
  Decimal decimal;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p != '.') decimal.digits.push_back(*p);
  }
  decimal.exponent = std::atoi(p + 1);
  return decimal;
}

// Keeps the digits whose place is 10^-kDecimals or above, rounding half up on the next one.
// An empty result means the value rounds to zero.
Decimal Rounded(Decimal decimal) {
  const int keep = decimal.exponent + kDecimals + 1;
  if (keep >= static_cast<int>(decimal.digits.size())) return decimal;
  if (keep < 0) return {};
  const bool up = decimal.digits[static_cast<std::size_t>(keep)] >= '5';
  decimal.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    for (; i >= 0 && decimal.digits[static_cast<std::size_t>(i)] == '9'; --i) {
      decimal.digits[static_cast<std::size_t>(i)] = '0';
    }
    if (i >= 0) {
      ++decimal.digits[static_cast<std::size_t>(i)];
    } else {
      decimal.digits.insert(decimal.digits.begin(), '1');
      ++decimal.exponent;
    }
  }
  while (!decimal.digits.empty() && decimal.digits.back() == '0') decimal.digits.pop_back();
  return decimal;
}

std::string Grouped(const std::string& integerDigits, std::string_view groupSeparator) {
  std::string text;
  const std::size_t count = integerDigits.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) text += groupSeparator;
    text += integerDigits[i];
  }
  return text;
}

}  // namespace

std::string AxisLabelText(double value, std::string_view decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";

  const Decimal decimal = Rounded(ToDecimal(std::fabs(value)));
  if (decimal.digits.empty()) return "0";

  // Digit i of decimal.digits has the place 10^(exponent - i).
  std::string integerDigits;
  std::string fraction;
  for (int place = std::max(decimal.exponent, 0); place >= -kDecimals; --place) {
    const int index = decimal.exponent - place;
    const char digit = index >= 0 && index < static_cast<int>(decimal.digits.size())
                           ? decimal.digits[static_cast<std::size_t>(index)]
                           : '0';
    if (place >= 0) {
      integerDigits += digit;
    } else {
      fraction += digit;
    }
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();

  const std::string_view groupSeparator = decimalSeparator == "," ? "." : ",";
  std::string text = value < 0 ? "-" : "";
  text += Grouped(integerDigits, groupSeparator);
  if (!fraction.empty()) {
    text += decimalSeparator;
    text += fraction;
  }
  return text;
}

std::string AxisLabelText(double value) { return AxisLabelText(value, DecimalSeparator()); }
