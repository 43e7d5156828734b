// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "model/NumberText.h"

// Builds one CSV line field by field: commas between the fields, quotes where a field needs
// them, CR LF at the end when it goes out of scope. Numbers use the decimal separator given.
class CsvLine {
 public:
  CsvLine(std::string& out, std::string_view separator) : out_(out), separator_(separator) {}
  ~CsvLine();
  CsvLine(const CsvLine&) = delete;
  CsvLine& operator=(const CsvLine&) = delete;

  CsvLine& Field(std::string_view text);
  CsvLine& Fields(std::initializer_list<std::string_view> texts);
  // The shortest digits that read back to the same double.
  CsvLine& Number(double value);
  CsvLine& General(double value);
  CsvLine& Pattern(NumberPattern pattern, double value);

 private:
  std::string& out_;
  std::string_view separator_;
  bool first_ = true;
};
