#include "chart/rules/AxisLabelText.h"

#include <algorithm>

#include "model/DecimalForm.h"
#include "model/NumberText.h"

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kFormatDecimals = 3;

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

std::string AxisLabelText(double value, int decimals, std::string_view decimalSeparator) {
  decimals = std::clamp(decimals, 0, kSignificantDigits);
  DecimalForm decimal;
  Decompose(value, kSignificantDigits, kSignificantDigits, decimals, decimal);
  switch (decimal.kind) {
    case FormKind::NotANumber:
      return "NAN";
    case FormKind::PlusInfinity:
      return "INF";
    case FormKind::MinusInfinity:
      return "-INF";
    case FormKind::Zero:
      return "0";
    case FormKind::Finite:
      break;
  }

  // Digit i of the form has the place 10^(exponent - 1 - i).
  std::string integerDigits;
  std::string fraction;
  for (int place = std::max(decimal.exponent - 1, 0); place >= -decimals; --place) {
    const int index = decimal.exponent - 1 - place;
    const char digit = index >= 0 && index < decimal.count ? decimal.digits[index] : '0';
    if (place >= 0) {
      integerDigits += digit;
    } else {
      fraction += digit;
    }
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();

  const std::string_view groupSeparator = decimalSeparator == "," ? "." : ",";
  std::string text = decimal.negative ? "-" : "";
  text += Grouped(integerDigits, groupSeparator);
  if (!fraction.empty()) {
    text += decimalSeparator;
    text += fraction;
  }
  return text;
}

std::string AxisLabelText(double value, int decimals) {
  return AxisLabelText(value, decimals, DecimalSeparator());
}

int LabelDecimals(double step) {
  DecimalForm decimal;
  Decompose(step, kSignificantDigits, kSignificantDigits, kNoPlaceBudget, decimal);
  if (decimal.kind != FormKind::Finite) return kFormatDecimals;
  return std::clamp(decimal.count - decimal.exponent, kFormatDecimals, kSignificantDigits);
}
