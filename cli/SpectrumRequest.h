// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The inputs of one spectrum as given on the command line or in a batch row, as texts;
// a missing entry takes the default (a batch leaves its empty cells missing).
enum class Column { Name, Code, Pga, Action, Site, Group, Damping, AlphaMax, Tg };
inline constexpr std::size_t kColumnCount = 9;

// The batch column name ("alpha_max") and the option ("--alpha-max").
std::string_view ColumnName(Column column);
std::string_view OptionName(Column column);
std::optional<Column> ColumnNamed(std::string_view name);

struct SpectrumRequest {
  std::array<std::optional<std::string>, kColumnCount> texts;

  // The text, or nothing when it is missing.
  std::optional<std::string_view> Given(Column column) const;
  void Set(Column column, std::string text) {
    texts[static_cast<std::size_t>(column)] = std::move(text);
  }
};
