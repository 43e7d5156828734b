// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/RecordFileOptions.h"

namespace CLI {
class Option;
}

// `record`: reads ground-motion records and writes their elastic response spectra as CSV,
// each record scaled to a target peak ground acceleration or as read.
class RecordCommand : public Command {
 public:
  CLI::App* Register(CLI::App& program) override;
  ExitCode Run(std::ostream& out) override;

 private:
  std::vector<std::string> files_;
  RecordFileOptions fileOptions_;
  std::string damping_ = "0.05";
  std::string periods_ = "fine";
  std::string targetPga_;
  CLI::Option* targetOption_ = nullptr;
  std::string scaleTo_;
  CLI::Option* scaleToOption_ = nullptr;
  bool all_ = false;
  std::string output_;
};
