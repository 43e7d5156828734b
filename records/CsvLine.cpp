// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/CsvLine.h"

#include "model/CsvText.h"
#include "records/ShortestNumber.h"

CsvLine::~CsvLine() { out_.append("\r\n"); }

CsvLine& CsvLine::Field(std::string_view text) {
  if (!first_) out_.push_back(',');
  first_ = false;
  AppendCsvField(out_, text);
  return *this;
}

CsvLine& CsvLine::Fields(std::initializer_list<std::string_view> texts) {
  for (const std::string_view text : texts) Field(text);
  return *this;
}

CsvLine& CsvLine::Number(double value) { return Field(ShortestNumber(value, separator_)); }

CsvLine& CsvLine::General(double value) { return Field(FormatGeneral(value, separator_)); }

CsvLine& CsvLine::Pattern(NumberPattern pattern, double value) {
  return Field(FormatPattern(pattern, value, separator_));
}
