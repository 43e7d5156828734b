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

[[noreturn]] void Fail(const char* what, std::string_view input, const std::string& detail) {
  std::fprintf(stderr, "%s: input \"%.*s\" %s\n", what, static_cast<int>(input.size()),
               input.data(), detail.c_str());
  std::abort();
}

// A text with d significant digits, read back, lies within half a unit of its last digit:
// at most 5 * 10^-d of the value.
void ExpectReadBack(std::string_view input, const std::string& text, double value,
                    long double relative) {
  const auto back = ParseNumber(text);
  if (!back) Fail("text not readable", input, text);
  const long double error = std::fabs(*back - static_cast<long double>(value));
  if (error > relative * std::fabs(static_cast<long double>(value))) {
    Fail("text does not read back", input, text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const char* const kSeparators[] = {".", ",", "\xD9\xAB"};
  SetDecimalSeparator(kSeparators[data[0] % 3]);
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

  const auto parsed = ParseNumber(input);
  if (!parsed) return 0;
  if (!std::isfinite(*parsed)) Fail("accepted a value beyond the extended range", input, "");

  double value = 0;
  try {
    value = ToDouble(*parsed);
  } catch (const std::overflow_error&) {
    if (std::fabs(*parsed) <= std::numeric_limits<double>::max()) {
      Fail("overflow below the largest double", input, "");
    }
    return 0;
  }

  const std::string general = FormatGeneral(value);
  const std::string scientific = FormatPattern(NumberPattern::Scientific, value);
  const std::string six = FormatPattern(NumberPattern::SixDecimals, value);
  const std::string two = FormatPattern(NumberPattern::TwoDecimals, value);
  if (general.empty() || scientific.empty() || six.empty() || two.empty()) {
    Fail("empty text", input, general);
  }
  // Slightly above 5e-15 and 5e-5: the 18-digit form rounds once before the digit budget.
  ExpectReadBack(input, general, value, 5.001e-15L);
  ExpectReadBack(input, scientific, value, 5.001e-5L);
  return 0;
}
