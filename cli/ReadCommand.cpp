// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ReadCommand.h"

#include <CLI/CLI.hpp>

#include "cli/BatchText.h"
#include "cli/CliError.h"
#include "cli/InputFile.h"
#include "cli/SavedDataFile.h"
#include "cli/StagedFiles.h"
#include "model/SpectrumList.h"

CLI::App* ReadCommand::Register(CLI::App& program) {
  CLI::App* command = program.add_subcommand(
      "read",
      "Read a Save Data file (written with \".\" or \",\" as decimal separator), check every Sa "
      "value against a fresh computation (exit 1 with the first differing line) and print the "
      "spectra as a batch file for `spectrum --batch`.");
  command->add_option("FILE", file_, "the Save Data file (\"-\": standard input)")->required();
  command->add_option("--separator", separator_, "decimal separator of the printed numbers")
      ->check(CLI::IsMember({".", ","}))
      ->capture_default_str();
  command->add_option("-o,--output", output_, "file to write (default standard output)");
  return command;
}

ExitCode ReadCommand::Run(std::ostream& out) {
  const SpectrumList spectra = ReadSavedData(ReadWholeFile(file_), file_);
  WriteOutput(output_, BuildBatchText(spectra, separator_), out);
  return kExitSuccess;
}
