// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "records/GroundMotion.h"
#include "records/RecordReader.h"

namespace CLI {
class App;
}

// The options that say how to read ground-motion record files (layout, unit, time step of
// one-column files), and the reading, for every subcommand that takes records.
class RecordFileOptions {
 public:
  // formatNames names the layout option: "--format" where the subcommand has no other format.
  void Register(CLI::App& command, const std::string& formatNames);

  // Every file, read whole; each record is named by its path as given. Throws CliError: a
  // failure when a file cannot be read, a usage error for an option or for a file that is not
  // a record, not a regular file or too large (the message names the file and the line).
  // Standard input ("-") is read up to the size of the largest record file.
  std::vector<GroundMotion> ReadAll(const std::vector<std::string>& paths) const;

  // The options as given; throws CliError (usage) for a bad --step.
  RecordReadOptions ReadOptions() const;

 private:
  std::string format_ = "auto";
  std::string unit_;  // none given: as the file says, or g
  std::string step_;
};
