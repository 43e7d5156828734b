// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/DesignOptions.h"
#include "cli/RecordFileOptions.h"

namespace CLI {
class Option;
}

// `select`: the best set of N records from the files given or a folder of PEER records, for the
// check against a design spectrum and for the spectrum's shape around the main periods. Exit
// code 0 when the best set passes the check, 3 when no set does (the best set is still shown).
class SelectCommand : public Command {
 public:
  CLI::App* Register(CLI::App& program) override;
  ExitCode Run(std::ostream& out) override;

 private:
  // The candidates' paths in the order given: the files, the library's, the artificial ones;
  // artificialFrom gets the index of the first artificial one.
  std::vector<std::string> CandidatePaths(std::size_t& artificialFrom) const;

  DesignOptions design_;
  std::string periods_;
  std::size_t count_ = 7;
  std::vector<std::string> files_;
  std::string library_;
  std::vector<std::string> artificial_;
  std::vector<std::string> require_;
  std::string tolerance_ = "20";
  std::string scaleBand_ = "0.25,4";
  std::string band_;
  std::string timeLimit_ = "10";
  std::size_t alternatives_ = 5;
  unsigned threads_ = 0;
  RecordFileOptions fileOptions_;
  std::string targetPga_;
  CLI::Option* targetOption_ = nullptr;
  bool noScaling_ = false;
  std::string format_ = "text";
  std::string output_;
};
