// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Rows of cells laid out in columns for reading on a terminal: each column as wide as its
// widest cell (in bytes, so text other than ASCII belongs in the last column), two spaces
// between columns, numbers aligned on the right.
class TextTable {
 public:
  // The heading row; a column is aligned on the right when its flag is set.
  TextTable(std::vector<std::string> heading, std::vector<bool> alignRight);

  void AddRow(std::vector<std::string> row);

  // Appends the heading and the rows, each line ended by "\n" without trailing blanks.
  void AppendTo(std::string& text) const;

 private:
  std::vector<std::vector<std::string>> rows_;
  std::vector<bool> alignRight_;
};
