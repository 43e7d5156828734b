// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/DesignOptions.h"
#include "records/ArtificialRecord.h"

namespace CLI {
class Option;
}

// `artificial`: ground-motion records generated and fitted to a design spectrum, written as
// PEER AT2 or text. Each record's worst deviation goes to standard error. Exit code 3, with
// nothing written, when a record misses the tolerance.
class ArtificialCommand : public Command {
 public:
  explicit ArtificialCommand(std::ostream& err) : err_(err) {}
  CLI::App* Register(CLI::App& program) override;
  ExitCode Run(std::ostream& out) override;

 private:
  ArtificialOptions Options(std::int32_t intensity, std::int32_t action) const;
  std::vector<double> Pair(const std::string& option, const std::string& text,
                           std::size_t count) const;

  std::ostream& err_;
  DesignOptions design_;
  std::string targetPga_;
  CLI::Option* targetOption_ = nullptr;
  std::string duration_;
  std::string step_ = "0.01";
  std::string envelope_;
  std::string longestPeriod_;
  std::string band_ = "0.05,6";
  std::string tolerance_ = "5";
  std::uint64_t seed_ = 1;
  std::uint64_t count_ = 1;
  std::string format_ = "at2";
  std::string output_;
};
