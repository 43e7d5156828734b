// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cli/Command.h"

// `read`: reads a Save Data file back, checks every Sa value against a fresh computation and
// prints the spectra as a batch file for `spectrum --batch`.
class ReadCommand : public Command {
 public:
  CLI::App* Register(CLI::App& program) override;
  ExitCode Run(std::ostream& out) override;

 private:
  std::string file_;
  std::string separator_ = ".";
  std::string output_;
};
