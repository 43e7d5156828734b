// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// A finite number given to an option, always with "." whatever the regional settings (options
// are a program's syntax, not a window field). Throws CliError (usage) "OPTION: "TEXT" is not
// a number" for anything else.
double ReadOptionNumber(std::string_view option, std::string_view text);
