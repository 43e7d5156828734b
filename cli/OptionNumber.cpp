// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/OptionNumber.h"

#include <charconv>
#include <cmath>
#include <string>

#include "cli/CliError.h"

double ReadOptionNumber(std::string_view option, std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    throw CliError(kExitUsage,
                   std::string(option) + ": \"" + std::string(text) + "\" is not a number");
  }
  return value;
}
