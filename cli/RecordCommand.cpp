// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RecordCommand.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <stdexcept>

#include "cli/CliError.h"
#include "cli/OptionNumber.h"
#include "cli/PeriodSelection.h"
#include "cli/RecordCsvText.h"
#include "cli/ScaleTarget.h"
#include "cli/StagedFiles.h"
#include "model/NumberText.h"
#include "records/ResponseSpectrum.h"

CLI::App* RecordCommand::Register(CLI::App& program) {
  CLI::App* command = program.add_subcommand(
      "record",
      "Compute the exact elastic response spectra of ground-motion records and print them as "
      "CSV: the period, then each record's PSA (with --all also SA, SD and PSV).");
  command->add_option("FILE", files_, "record files (\"-\": standard input)")->required();
  fileOptions_.Register(*command, "--format");
  command->add_option("--damping", damping_, "damping ratio, at least 0 and below 1")
      ->capture_default_str();
  command
      ->add_option("--periods", periods_,
                   "fine (0 to 6 s by 0.01, the default), coarse (by 0.05), START:STEP:END or "
                   "T1,T2,... in seconds within 0 to 6; 0 gives the peak ground acceleration")
      ->capture_default_str();
  targetOption_ = command->add_option(
      "--target-pga", targetPga_, "scale each record to this peak ground acceleration in cm/s2");
  scaleToOption_ = command->add_option(
      "--scale-to", scaleTo_,
      "scale each record to the code's peak ground acceleration for time-history "
      "analysis at PGA,ACTION, the values of spectrum --pga and --action (0.20,rare)");
  scaleToOption_->excludes(targetOption_);
  command->add_flag("--all", all_, "also SA (absolute acceleration), SD and PSV");
  command->add_option("-o,--output", output_, "file to write (default standard output)");
  return command;
}

ExitCode RecordCommand::Run(std::ostream& out) {
  SpectrumOptions options;
  options.damping = ReadOptionNumber("--damping", damping_);
  if (!(options.damping >= 0 && options.damping < 1)) {
    throw CliError(kExitUsage, "--damping: the damping ratio must be at least 0 and below 1");
  }
  options.periods = ParsePeriods(periods_);
  for (const double period : options.periods) {
    if (period > 0 && period < kMinimumPeriod) {
      throw CliError(kExitUsage, "--periods: a period is 0 or at least " +
                                     FormatGeneral(kMinimumPeriod, ".") + " s");
    }
  }
  std::optional<double> target;
  if (targetOption_->count() > 0) target = ReadTargetPga(targetPga_);
  if (scaleToOption_->count() > 0) target = ReadScaleTo(scaleTo_);

  std::vector<ResponseSpectrum> spectra;
  for (const GroundMotion& motion : fileOptions_.ReadAll(files_)) {
    const double factor = ScaleFactorTo(motion, target);
    try {
      spectra.push_back(Scaled(*ComputeSpectrum(motion, options), factor));
    } catch (const std::overflow_error& error) {
      throw CliError(kExitUsage, error.what());
    }
  }
  WriteOutput(output_, BuildRecordCsvText(spectra, all_), out);
  return kExitSuccess;
}
