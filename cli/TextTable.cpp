// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TextTable.h"

#include <algorithm>

TextTable::TextTable(std::vector<std::string> heading, std::vector<bool> alignRight)
    : alignRight_(std::move(alignRight)) {
  alignRight_.resize(heading.size());
  rows_.push_back(std::move(heading));
}

void TextTable::AddRow(std::vector<std::string> row) { rows_.push_back(std::move(row)); }

void TextTable::AppendTo(std::string& text) const {
  std::vector<std::size_t> widths(alignRight_.size());
  for (const auto& row : rows_) {
    for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) {
      widths[c] = std::max(widths[c], row[c].size());
    }
  }
  for (const auto& row : rows_) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) line.append("  ");
      const std::size_t pad = c < widths.size() ? widths[c] - row[c].size() : 0;
      const bool right = c < alignRight_.size() && alignRight_[c];
      if (right) line.append(pad, ' ');
      line.append(row[c]);
      if (!right) line.append(pad, ' ');
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text.append(line).push_back('\n');
  }
}
