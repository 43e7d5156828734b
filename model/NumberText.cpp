// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/NumberText.h"

#include <array>
#include <cassert>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

#include "model/DecimalForm.h"

namespace {

// Length of the UTF-8 sequence that begins with this byte; 0 for a byte that cannot begin one.
std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Number texts round on the 18-digit decimal form.
constexpr int kFormDigits = kMaxFormDigits;

// A fixed buffer for one number text; every text of this file is far below its size.
class TextBuffer {
 public:
  void Put(char c) {
    assert(size_ < sizeof data_);
    data_[size_++] = c;
  }
  void Put(const char* text, std::size_t length) {
    assert(size_ + length <= sizeof data_);
    std::memcpy(data_ + size_, text, length);
    size_ += length;
  }
  void Put(std::string_view text) { Put(text.data(), text.size()); }
  void PutRepeated(char c, int times) {
    for (int i = 0; i < times; ++i) Put(c);
  }
  void PutInteger(int value) {
    char text[16];
    const auto converted = std::to_chars(text, text + sizeof text, value);
    Put(text, static_cast<std::size_t>(converted.ptr - text));
  }
  std::string_view View() const { return {data_, size_}; }

 private:
  char data_[96];
  std::size_t size_ = 0;
};

// A separator is one UTF-8 character, at most 4 bytes, which keeps every text within the
// buffer; none stands for ".".
std::string_view Checked(std::string_view separator) {
  if (separator.empty()) return ".";
  if (separator.size() > 4) throw std::invalid_argument("a decimal separator is one character");
  return separator;
}

void WriteGeneral(const DecimalForm& form, std::string_view separator, TextBuffer& out) {
  switch (form.kind) {
    case FormKind::NotANumber:
      return out.Put("NAN", 3);
    case FormKind::PlusInfinity:
      return out.Put("INF", 3);
    case FormKind::MinusInfinity:
      return out.Put("-INF", 4);
    case FormKind::Zero:
      return out.Put('0');
    case FormKind::Finite:
      break;
  }
  if (form.negative) out.Put('-');
  const int e = form.exponent;
  if (e >= -3 && e <= 15) {
    if (e <= 0) {
      out.Put('0');
      out.Put(separator);
      out.PutRepeated('0', -e);
      out.Put(form.digits, static_cast<std::size_t>(form.count));
    } else {
      for (int i = 0; i < e; ++i) out.Put(i < form.count ? form.digits[i] : '0');
      if (form.count > e) {
        out.Put(separator);
        out.Put(form.digits + e, static_cast<std::size_t>(form.count - e));
      }
    }
  } else {
    out.Put(form.digits[0]);
    if (form.count > 1) {
      out.Put(separator);
      out.Put(form.digits + 1, static_cast<std::size_t>(form.count - 1));
    }
    out.Put('E');
    out.PutInteger(e - 1);
  }
}

void WriteGeneral(double x, std::string_view separator, TextBuffer& out) {
  DecimalForm form;
  Decompose(x, kFormDigits, 15, kNoPlaceBudget, form);
  WriteGeneral(form, separator, out);
}

void WriteFixed(double x, int places, std::string_view separator, TextBuffer& out) {
  DecimalForm form;
  Decompose(x, kFormDigits, kFormDigits, places, form);
  if (form.kind != FormKind::Zero && form.kind != FormKind::Finite) {
    return WriteGeneral(form, separator, out);
  }
  if (form.exponent > kFormDigits) return WriteGeneral(x, separator, out);
  if (form.negative) out.Put('-');
  const int e = form.exponent;
  if (e <= 0) {
    out.Put('0');
  } else {
    for (int i = 0; i < e; ++i) out.Put(i < form.count ? form.digits[i] : '0');
  }
  out.Put(separator);
  int written = 0;
  if (e >= 0) {
    for (int i = e; i < form.count; ++i, ++written) out.Put(form.digits[i]);
  } else {
    out.PutRepeated('0', -e);
    out.Put(form.digits, static_cast<std::size_t>(form.count));
    written = -e + form.count;
  }
  assert(written <= places);
  out.PutRepeated('0', places - written);
}

void WriteScientific(double x, std::string_view separator, TextBuffer& out) {
  DecimalForm form;
  Decompose(x, kFormDigits, 5, kNoPlaceBudget, form);
  if (form.kind != FormKind::Zero && form.kind != FormKind::Finite) {
    return WriteGeneral(form, separator, out);
  }
  if (form.negative) out.Put('-');
  out.Put(form.count > 0 ? form.digits[0] : '0');
  out.Put(separator);
  for (int i = 1; i < 5; ++i) out.Put(i < form.count ? form.digits[i] : '0');
  out.Put('E');
  const int power = form.kind == FormKind::Zero ? 0 : form.exponent - 1;
  out.Put(power < 0 ? '-' : '+');
  const int magnitude = power < 0 ? -power : power;
  if (magnitude < 10) out.Put('0');
  out.PutInteger(magnitude);
}

void WritePattern(NumberPattern pattern, double value, std::string_view separator,
                  TextBuffer& out) {
  switch (pattern) {
    case NumberPattern::TwoDecimals:
      return WriteFixed(value, 2, separator, out);
    case NumberPattern::SixDecimals:
      return WriteFixed(value, 6, separator, out);
    case NumberPattern::Scientific:
      return WriteScientific(value, separator, out);
  }
  throw std::invalid_argument("unknown number pattern");
}

// ---------------------------------------------------------------------------------------------
// Reading.

constexpr int kExactPowers = 28;  // 10^0 .. 10^27 fit the 64-bit significand exactly

constexpr std::array<long double, kExactPowers> MakeExactPowers() {
  std::array<long double, kExactPowers> powers{};
  long double power = 1;
  for (auto& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}

constexpr auto kExactPower = MakeExactPowers();

long double PowerOfTen(long long exponent) {
  if (exponent < kExactPowers) return kExactPower[static_cast<std::size_t>(exponent)];
  return std::pow(10.0L, static_cast<long double>(exponent));
}

// Steps past bytes 32; tabs and other blanks are not spaces here.
std::size_t SkipSpaces(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
  return pos;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string DecimalSeparatorFrom(std::string_view utf8Character) {
  std::string separator = ".";
  if (!utf8Character.empty()) {
    const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(utf8Character[0]));
    bool whole = length != 0 && length <= utf8Character.size();
    for (std::size_t i = 1; whole && i < length; ++i) {
      whole = (static_cast<unsigned char>(utf8Character[i]) & 0xC0) == 0x80;
    }
    if (whole) separator.assign(utf8Character.substr(0, length));
  }
  return separator;
}

std::string FormatGeneral(double value, std::string_view separator) {
  TextBuffer out;
  WriteGeneral(value, Checked(separator), out);
  return std::string(out.View());
}

std::string FormatPattern(NumberPattern pattern, double value, std::string_view separator) {
  TextBuffer out;
  WritePattern(pattern, value, Checked(separator), out);
  return std::string(out.View());
}

void AppendPattern(std::string& text, NumberPattern pattern, double value,
                   std::string_view separator) {
  TextBuffer out;
  WritePattern(pattern, value, Checked(separator), out);
  text.append(out.View());
}

std::string FormatPattern(std::string_view pattern, double value, std::string_view separator) {
  if (pattern == "0.00") return FormatPattern(NumberPattern::TwoDecimals, value, separator);
  if (pattern == "0.000000") return FormatPattern(NumberPattern::SixDecimals, value, separator);
  if (pattern == "0.0000E+00") return FormatPattern(NumberPattern::Scientific, value, separator);
  throw std::invalid_argument("unknown number pattern: " + std::string(pattern));
}

std::optional<long double> ParseNumber(std::string_view text, std::string_view separator) {
  separator = Checked(separator);
  std::size_t pos = SkipSpaces(text, 0);

  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';

  long double acc = 0;
  bool anyIntegerDigit = false;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    acc = acc * 10 + (text[pos] - '0');
    anyIntegerDigit = true;
  }

  long long fractionDigits = 0;
  bool separatorFound = false;
  if (text.substr(pos, separator.size()) == separator) {
    separatorFound = true;
    pos += separator.size();
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
      acc = acc * 10 + (text[pos] - '0');
      ++fractionDigits;
    }
  }
  if (!anyIntegerDigit && !separatorFound) return std::nullopt;

  long long exponent = 0;
  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
    ++pos;
    bool negativeExponent = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
      negativeExponent = text[pos++] == '-';
    }
    // The digit that brings the exponent to 500 or more is the last one read.
    for (; pos < text.size() && IsDigit(text[pos]) && exponent < 500; ++pos) {
      exponent = exponent * 10 + (text[pos] - '0');
    }
    if (negativeExponent) exponent = -exponent;
  }

  if (SkipSpaces(text, pos) != text.size()) return std::nullopt;
  // Thousands of digits can overflow the accumulator itself.
  if (std::isinf(acc)) return std::nullopt;

  long double value = acc;
  const long long power = exponent - fractionDigits;
  if (acc != 0 && power > 0) {
    value = acc * PowerOfTen(power);
  } else if (acc != 0 && power < 0) {
    // Divide in pieces while the divisor alone would overflow; the quotient may still be in range.
    constexpr long long kLargestSafePower = 4000;
    long long remaining = -power;
    while (remaining > kLargestSafePower && value != 0) {
      value /= PowerOfTen(kLargestSafePower);
      remaining -= kLargestSafePower;
    }
    value /= PowerOfTen(remaining);
  }
  if (!std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

void ThrowFloatingPointOverflow() { throw std::overflow_error("Floating point overflow"); }

std::int32_t PeriodCount(double span, double step) {
  const long double quotient = static_cast<long double>(span) / step + 1.5L;
  // Far outside any grid the program uses; clamped so the conversion stays defined.
  constexpr long double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr long double kHighest = std::numeric_limits<std::int32_t>::max();
  if (std::isnan(quotient)) return 0;
  std::int32_t n = quotient <= kLowest    ? std::numeric_limits<std::int32_t>::min()
                   : quotient >= kHighest ? std::numeric_limits<std::int32_t>::max()
                                          : static_cast<std::int32_t>(quotient);
  const long double last = (static_cast<long double>(n) - 1) * step;
  if (static_cast<double>(last) > span && n > std::numeric_limits<std::int32_t>::min()) --n;
  return n;
}

std::int32_t FinePeriodCount() { return PeriodCount(6, kFinePeriodStep); }

double FinePeriod(std::int32_t i) {
  return static_cast<double>(static_cast<long double>(i) * kFinePeriodStep);
}

double CoarsePeriod(std::int32_t m) {
  return static_cast<double>(static_cast<long double>(m) * kCoarsePeriodStep);
}
