// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to ParseNumber and every accepted value to the number texts. The first
// byte picks the decimal separator: ".", "," or the two-byte U+066B.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/NumberText.h"

namespace {

// The input as readable text: printable ASCII as it is, every other byte as \xNN.
std::string Printable(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      out.push_back(c);
    } else {
      out.append("\\x").push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0xF]);
    }
  }
  return out;
}

[[noreturn]] void Fail(const char* what, std::string_view input, std::string_view separator,
                       const std::string& detail) {
  std::fprintf(stderr, "%s: input \"%s\" (separator \"%s\") %s\n", what, Printable(input).c_str(),
               Printable(separator).c_str(), Printable(detail).c_str());
  std::abort();
}

// How far a text of d significant digits may lie from the double x it was written from, relative
// to |x|. Let x = m * 10^E with 1 <= m < 10.
// 1. The digits come from the 18-digit form of x, correctly rounded by to_chars:
//    error <= 0.5 * 10^(E-17).
// 2. That form is rounded half away from zero to d digits: error <= 0.5 * 10^(E-d+1), also when a
//    carry moves the text to the next power of ten.
// 3. ParseNumber reads the text into a long double, rounding once to 64 significant bits:
//    error <= 2^-64 times the text's value, and the text's value is at most
//    |x| * (1 + 0.5 * 10^(1-d) + 0.5 * 10^-17).
// Dividing by |x| >= 10^E, the text reads back within
//    0.5 * 10^(1-d) + 0.5 * 10^-17 + 2^-64 * (1 + 0.5 * 10^(1-d) + 0.5 * 10^-17)
// of x, relative. Steps 1 and 2 can both reach their bounds together (x just below a tie of the
// d-digit rounding whose 18-digit form lands on the tie), so the bound is tight to within the
// last term. For d = 15 it is 5.005000000000054e-15, for d = 5 it is 5.000000000000500e-5.
long double ReadBackBound(int digits) {
  const long double step2 = 0.5L * std::pow(10.0L, 1 - digits);
  const long double step1 = 0.5e-17L;
  const long double step3 = std::ldexp(1.0L, -64) * (1 + step2 + step1);
  return step2 + step1 + step3;
}

void ExpectReadBack(std::string_view input, std::string_view separator, const std::string& text,
                    double value, int digits) {
  const auto back = ParseNumber(text, separator);
  if (!back) Fail("text not readable", input, separator, text);
  const long double error = std::fabs(*back - static_cast<long double>(value));
  if (error > ReadBackBound(digits) * std::fabs(static_cast<long double>(value))) {
    Fail("text does not read back", input, separator, text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const char* const kSeparators[] = {".", ",", "\xD9\xAB"};
  const std::string_view separator = kSeparators[data[0] % 3];
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

  const auto parsed = ParseNumber(input, separator);
  if (!parsed) return 0;
  if (!std::isfinite(*parsed))
    Fail("accepted a value beyond the extended range", input, separator, "");

  double value = 0;
  try {
    value = ToDouble(*parsed);
  } catch (const std::overflow_error&) {
    if (std::fabs(*parsed) <= std::numeric_limits<double>::max()) {
      Fail("overflow below the largest double", input, separator, "");
    }
    return 0;
  }

  const std::string general = FormatGeneral(value, separator);
  const std::string scientific = FormatPattern(NumberPattern::Scientific, value, separator);
  const std::string six = FormatPattern(NumberPattern::SixDecimals, value, separator);
  const std::string two = FormatPattern(NumberPattern::TwoDecimals, value, separator);
  if (general.empty() || scientific.empty() || six.empty() || two.empty()) {
    Fail("empty text", input, separator, general);
  }
  ExpectReadBack(input, separator, general, value, 15);
  ExpectReadBack(input, separator, scientific, value, 5);
  return 0;
}
