// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <initializer_list>
#include <string>

#include "cli/SpectrumRequest.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

// The options that describe a design spectrum the way the window's input panel does (--name,
// --code, --pga, --action, --site, --group, --damping, --alpha-max, --tg), kept as the texts
// given, for SpectrumBuilder to check.
class DesignOptions {
 public:
  // Adds the options of these columns to the command.
  void Register(CLI::App& command, std::initializer_list<Column> columns);

  // The texts given on the command line; options not given are missing.
  SpectrumRequest Given() const;
  bool IsGiven(Column column) const;

  // The option of a registered column, to change its help.
  CLI::Option& Option(Column column) const { return *options_[static_cast<std::size_t>(column)]; }

 private:
  std::array<std::string, kColumnCount> texts_;
  std::array<CLI::Option*, kColumnCount> options_{};
};
