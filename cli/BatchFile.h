// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "cli/SpectrumRequest.h"

// One spectrum of a batch file and the line its row begins on.
struct BatchRow {
  std::size_t line = 0;
  SpectrumRequest request;
};

// Reads a batch file: a header line naming some of the columns name, code, pga, action, site,
// group, damping, alpha_max and tg in any order, then one spectrum per row; empty cells and
// empty lines are left out. Throws CliError (usage) naming the file and the line.
std::vector<BatchRow> ReadBatch(std::string_view bytes, std::string_view fileName);
