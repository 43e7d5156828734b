// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

// The whole program tremvale-cli: args without the program name; data goes to out, messages
// to err. Returns the exit code: 0 success, 1 a file or system failure, 2 a usage or input
// error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
