// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Number texts shared by the input fields, the data table and the CSV file. They depend on
// one setting only, the decimal separator: a single character, held as its UTF-8 bytes, which
// every caller passes, so that no thread ever sees another's.

// The decimal separator for a symbol as the system gives it: its first whole UTF-8 character,
// "." for an empty or broken one.
std::string DecimalSeparatorFrom(std::string_view utf8Character);

// Every function below takes the separator as DecimalSeparatorFrom gives it; an empty one
// stands for ".", and one longer than a character throws std::invalid_argument.

// General floating-point text: 15 significant digits, fixed notation for exponents -3..15,
// otherwise scientific ("1E-5", "1.23456789012346E19"); "INF", "-INF", "NAN".
std::string FormatGeneral(double value, std::string_view separator);

// Pattern text for exactly one of the patterns "0.00", "0.000000" and "0.0000E+00".
enum class NumberPattern { TwoDecimals, SixDecimals, Scientific };
std::string FormatPattern(NumberPattern pattern, double value, std::string_view separator);
// Appends the pattern text to text, without a string of its own.
void AppendPattern(std::string& text, NumberPattern pattern, double value,
                   std::string_view separator);
// The same as FormatPattern, naming the pattern by its text; any other text is a programming
// error and throws std::invalid_argument.
std::string FormatPattern(std::string_view pattern, double value, std::string_view separator);

// Reads a number written with the input fields' syntax; no value when the text is rejected
// or the value overflows the extended range. The text is UTF-8.
std::optional<long double> ParseNumber(std::string_view text, std::string_view separator);

[[noreturn]] void ThrowFloatingPointOverflow();  // std::overflow_error "Floating point overflow"

// Rounds a parsed value to the nearest double. Throws std::overflow_error with the message
// "Floating point overflow" when its magnitude is beyond the largest double. Inline, since
// every Sa is rounded through it.
inline double ToDouble(long double value) {
  // Magnitudes from the midpoint between DBL_MAX and 2^1024 upwards round to infinity; the
  // check comes first because converting them is undefined.
  constexpr long double kOverflowBound = 0x1.fffffffffffff8p1023L;
  static_assert(kOverflowBound - DBL_MAX == 0x1p970L, "DBL_MAX and half its last place");
  if (std::isfinite(value) && std::fabs(value) >= kOverflowBound) ThrowFloatingPointOverflow();
  return static_cast<double>(value);
}

// Number of periods from 0 to span with the given step.
std::int32_t PeriodCount(double span, double step);

// The fine period grid of the chart and the CSV file: T(i) = i * 0.01, i = 0..600.
inline constexpr double kFinePeriodStep = 0.01;
std::int32_t FinePeriodCount();  // 601
double FinePeriod(std::int32_t i);

// The coarse period grid of the data table: T(m) = m * 0.05, m = 0..120.
inline constexpr double kCoarsePeriodStep = 0.05;
inline constexpr std::int32_t kCoarsePeriodCount = 121;
double CoarsePeriod(std::int32_t m);
