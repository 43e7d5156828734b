// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SelectionChoices.h"

#include <span>

namespace {

constexpr std::string_view kCodes[] = {"2010", "2001"};
constexpr std::string_view kPgas[] = {"0.05", "0.10", "0.15", "0.20", "0.30", "0.40"};
constexpr std::string_view kActions[] = {"frequent", "fortification", "rare"};
constexpr std::string_view kSites[] = {"I0", "I1", "II", "III", "IV"};
constexpr std::string_view kGroups[] = {"1", "2", "3"};

std::span<const std::string_view> Texts(Column column) {
  switch (column) {
    case Column::Code:
      return kCodes;
    case Column::Pga:
      return kPgas;
    case Column::Action:
      return kActions;
    case Column::Site:
      return kSites;
    case Column::Group:
      return kGroups;
    default:
      return {};
  }
}

}  // namespace

std::optional<std::int32_t> ChoiceIndex(Column column, std::string_view text) {
  const auto texts = Texts(column);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts[i] == text) return static_cast<std::int32_t>(i);
  }
  return std::nullopt;
}

std::string_view ChoiceText(Column column, std::int32_t index) {
  return Texts(column)[static_cast<std::size_t>(index)];
}

std::string ChoiceTexts(Column column) {
  std::string joined;
  for (const std::string_view text : Texts(column)) {
    if (!joined.empty()) joined.push_back('|');
    joined.append(text);
  }
  return joined;
}
