// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// One record of a comma-separated text: its fields, unquoted, and the line it begins on
// (counted from 1; a quoted field may run over several lines).
struct CsvRecord {
  std::size_t line = 0;
  std::vector<std::string> fields;
};

// A text that breaks the quoting rules; line() is where the fault was found.
class CsvError : public std::runtime_error {
 public:
  CsvError(std::size_t line, const std::string& message)
      : std::runtime_error(message), line_(line) {}
  std::size_t line() const { return line_; }

 private:
  std::size_t line_;
};

// Reads records from bytes the RFC 4180 way: fields separated by ",", a field in double
// quotes may hold commas, line breaks and doubled quotes. Lines may end in CR LF, LF or CR;
// the last line break is optional, and a UTF-8 byte-order mark at the start is skipped.
// An empty line is a record with one empty field. Holds a view of the bytes, no copy.
class CsvReader {
 public:
  explicit CsvReader(std::string_view bytes);

  // The next record; false at the end of the bytes. Throws CsvError for a quote that is
  // never closed, a closing quote followed by anything but "," or a line break, or a quote
  // inside an unquoted field.
  bool Next(CsvRecord& record);

 private:
  // Reads one field from pos_; true when a line break or the end followed it.
  bool ReadField(std::string& field);
  // Steps past a line break at pos_, if there is one; true when it did.
  bool SkipLineBreak();

  std::string_view bytes_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
};
