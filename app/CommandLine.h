// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// Answers --help and --version, and refuses anything else on the command line, before any
// window exists, so both work without a display. Returns the exit code when the program should
// end here (0 after help or version, 2 after a usage error), nothing when the window starts.
std::optional<int> HandleCommandLine(int& argc, char* argv[]);
