// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SpectrumRequest.h"

namespace {

struct Names {
  std::string_view column;
  std::string_view option;
};

// In Column order.
constexpr std::array<Names, kColumnCount> kNames{{
    {"name", "--name"},
    {"code", "--code"},
    {"pga", "--pga"},
    {"action", "--action"},
    {"site", "--site"},
    {"group", "--group"},
    {"damping", "--damping"},
    {"alpha_max", "--alpha-max"},
    {"tg", "--tg"},
}};

}  // namespace

std::string_view ColumnName(Column column) {
  return kNames[static_cast<std::size_t>(column)].column;
}

std::string_view OptionName(Column column) {
  return kNames[static_cast<std::size_t>(column)].option;
}

std::optional<Column> ColumnNamed(std::string_view name) {
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    if (kNames[i].column == name) return static_cast<Column>(i);
  }
  return std::nullopt;
}

std::optional<std::string_view> SpectrumRequest::Given(Column column) const {
  const auto& text = texts[static_cast<std::size_t>(column)];
  if (!text) return std::nullopt;
  return std::string_view(*text);
}
