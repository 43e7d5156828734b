// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "cli/CliError.h"

namespace CLI {
class App;
}

// One subcommand of tremvale-cli: it adds itself and its options to the program's parser and
// runs when the command line named it. A new subcommand is one more class like this, listed
// in RunCli.cpp.
class Command {
 public:
  virtual ~Command() = default;

  // Adds the subcommand to the program; the options are bound to members of this object.
  virtual CLI::App* Register(CLI::App& program) = 0;

  // Runs after a successful parse, writing data to out (or files), and gives the exit code of
  // a run that did what was asked. Throws CliError when it cannot.
  virtual ExitCode Run(std::ostream& out) = 0;
};
