// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/DesignOptions.h"
#include "cli/RecordFileOptions.h"
#include "records/CheckSettings.h"

class DesignSpectrum;

namespace CLI {
class Option;
}

// `check`: the compatibility check of a set of ground-motion records against a design
// spectrum at the structure's main periods. Exit code 0 when the set passes, 3 when it does
// not.
class CheckCommand : public Command {
 public:
  CLI::App* Register(CLI::App& program) override;
  ExitCode Run(std::ostream& out) override;

 private:
  std::vector<double> MainPeriods() const;
  double Tolerance() const;  // a fraction
  ScaleBand Band() const;
  // The target in cm/s2 and the sentence that tells it.
  std::optional<double> Target(std::int32_t intensity, std::int32_t action,
                               std::string& scaling) const;
  std::vector<std::string> RecordPaths() const;

  DesignOptions design_;
  std::string periods_;
  std::string tolerance_ = "20";
  std::string scaleBand_ = "0.25,4";
  std::vector<std::string> files_;
  std::vector<std::string> artificial_;
  RecordFileOptions fileOptions_;
  std::string targetPga_;
  CLI::Option* targetOption_ = nullptr;
  bool noScaling_ = false;
  std::string format_ = "text";
  std::string output_;
};
