// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include "records/DecimalFastPath.h"
#include "records/LineCursor.h"

namespace {

// A table rather than six comparisons: every byte of a record passes through here.
constexpr auto kSeparators = [] {
  std::array<bool, 256> table{};
  for (const unsigned char c : {' ', '\t', '\v', '\f', ',', ';'}) table[c] = true;
  return table;
}();

bool IsSeparator(char c) { return kSeparators[static_cast<unsigned char>(c)]; }

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  LineCursor cursor(bytes);
  for (std::string_view line; cursor.Next(line);) lines.push_back(line);
  return lines;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsSeparator(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsSeparator(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

std::optional<double> ParseRecordNumber(std::string_view field) {
  // Most values of a record take the exact short path; the rest, and every refusal, go on.
  if (const auto value = ParseDecimalFastPath(field)) return value;
  // Long enough for any sensible number; longer fields are not numbers a record writes.
  std::array<char, 64> text{};
  if (field.empty() || field.size() > text.size()) return std::nullopt;
  std::size_t length = 0;
  std::size_t i = 0;
  if (field[0] == '+' || field[0] == '-') {
    if (field[0] == '-') text[length++] = '-';
    i = 1;
  }
  // A number starts with a digit or the point after its sign ("+-5" and "-inf" are no numbers);
  // letters other than the exponent's never reach from_chars.
  if (i >= field.size() || !((field[i] >= '0' && field[i] <= '9') || field[i] == '.')) {
    return std::nullopt;
  }
  for (; i < field.size(); ++i) {
    char c = field[i];
    if (c == 'D' || c == 'd') c = 'E';
    const bool allowed =
        (c >= '0' && c <= '9') || c == '.' || c == 'E' || c == 'e' || c == '+' || c == '-';
    if (!allowed) return std::nullopt;
    text[length++] = c;
  }
  const char* begin = text.data();
  const char* end = text.data() + length;
  double value = 0;
  const auto [next, error] = std::from_chars(begin, end, value, std::chars_format::general);
  if (error != std::errc() || next != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string QuoteField(std::string_view field) {
  constexpr std::size_t kShown = 24;
  std::string text = "\"";
  for (std::size_t i = 0; i < field.size() && i < kShown; ++i) {
    const unsigned char c = static_cast<unsigned char>(field[i]);
    text += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
  }
  if (field.size() > kShown) text += "...";
  text += '"';
  return text;
}
