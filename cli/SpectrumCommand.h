// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

#include "cli/Command.h"
#include "cli/DesignOptions.h"

class SpectrumList;

namespace CLI {
class Option;
}

// `spectrum`: makes one spectrum from the options, or many from a batch file, and writes them
// as the window's Save Data file (csv), as text files for analysis programs (txt) or as JSON.
class SpectrumCommand : public Command {
 public:
  CLI::App* Register(CLI::App& program) override;
  ExitCode Run(std::ostream& out) override;

 private:
  SpectrumList MakeSpectra() const;
  void WriteTxt(const SpectrumList& spectra, std::span<const double> periods,
                std::ostream& out) const;

  DesignOptions design_;
  std::string batch_;
  std::string format_ = "csv";
  std::string separator_ = ".";
  std::string periods_;
  CLI::Option* periodsOption_ = nullptr;
  std::string output_;
};
