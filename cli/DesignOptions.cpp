// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DesignOptions.h"

#include <CLI/CLI.hpp>

#include "cli/SelectionChoices.h"

namespace {

std::string Help(Column column) {
  const auto choices = [column] { return " (" + ChoiceTexts(column) + ")"; };
  switch (column) {
    case Column::Name:
      return "name of the spectrum, less than 20 bytes (default Spectrum-1)";
    case Column::Code:
      return "code edition" + choices() + ", default 2010";
    case Column::Pga:
      return "design ground acceleration in g, the intensity row" + choices() + ", default 0.05";
    case Column::Action:
      return "level of seismic action" + choices() + ", default frequent";
    case Column::Site:
      return "site class" + choices() + ", default I0";
    case Column::Group:
      return "design earthquake group" + choices() + ", default 1";
    case Column::Damping:
      return "damping ratio (default 0.05)";
    case Column::AlphaMax:
      return "AlphaMax in g instead of the table value for pga and action";
    case Column::Tg:
      break;
  }
  return "Tg in s instead of the table value for site and group";
}

}  // namespace

void DesignOptions::Register(CLI::App& command, std::initializer_list<Column> columns) {
  for (const Column column : columns) {
    const auto index = static_cast<std::size_t>(column);
    options_[index] =
        command.add_option(std::string(OptionName(column)), texts_[index], Help(column));
  }
}

SpectrumRequest DesignOptions::Given() const {
  SpectrumRequest request;
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    if (IsGiven(static_cast<Column>(i))) request.texts[i] = texts_[i];
  }
  return request;
}

bool DesignOptions::IsGiven(Column column) const {
  const CLI::Option* option = options_[static_cast<std::size_t>(column)];
  return option != nullptr && option->count() > 0;
}
