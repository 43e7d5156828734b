// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// The program's exit codes.
enum ExitCode : int {
  kExitSuccess = 0,
  kExitFailure = 1,    // a file or system failure, or a checked file that does not match
  kExitUsage = 2,      // a usage or input error
  kExitNotPassed = 3,  // `check`: the set does not pass; `artificial`: a fit is not reached
};

// Ends a command with a message for standard error and the exit code to return.
class CliError : public std::runtime_error {
 public:
  CliError(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
  ExitCode code() const { return code_; }

 private:
  ExitCode code_;
};
