// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CheckCommand.h"

#include <CLI/CLI.hpp>
#include <set>
#include <stdexcept>

#include "cli/CheckText.h"
#include "cli/CliError.h"
#include "cli/OptionNumber.h"
#include "cli/PeriodSelection.h"
#include "cli/ScaleTarget.h"
#include "cli/SelectionChoices.h"
#include "cli/SpectrumBuilder.h"
#include "cli/StagedFiles.h"
#include "model/NumberText.h"
#include "model/SpectrumList.h"
#include "records/CheckTableText.h"
#include "records/RecordScaling.h"
#include "records/ResponseSpectrum.h"

CLI::App* CheckCommand::Register(CLI::App& program) {
  CLI::App* command = program.add_subcommand(
      "check",
      "Check a set of ground-motion records against a design spectrum at the main periods: "
      "each record scaled, the mean PSA within the tolerance of the design value at every "
      "period, each record's effective duration at least 5 T1 (T1 the longest main period), "
      "real records at least two thirds of the set, at least 3 records (3 to 6: use the "
      "envelope of the results; 7 or more: the mean may be used). Scale factors outside the "
      "scale band are warned of. Exit code 0 when the set passes, 3 when it does not.");
  command
      ->add_option("--periods", periods_,
                   "the structure's main periods T1,T2,... in s (0.001 to 6), in any order; "
                   "START:STEP:END also. T1, the fundamental period, is the longest")
      ->required();
  design_.Register(*command, {Column::Code, Column::Pga, Column::Action, Column::Site,
                              Column::Group, Column::Damping, Column::AlphaMax, Column::Tg});
  design_.Option(Column::Damping)
      .description(
          "damping ratio of the design spectrum and of the records' spectra (default "
          "0.05, below 1)");
  command
      ->add_option("--tolerance", tolerance_,
                   "allowed deviation of the mean in percent, above 0 and below 100")
      ->capture_default_str();
  command
      ->add_option("--scale-band", scaleBand_,
                   "LOW,HIGH: scale factors outside this band are warned of (not a failure)")
      ->capture_default_str();
  command->add_option("FILE", files_, "real (recorded) ground motions");
  command
      ->add_option(
          "--artificial", artificial_,
          "an artificial ground motion, one file per --artificial, listed after the real ones; "
          "repeatable")
      ->allow_extra_args(false);
  fileOptions_.Register(*command, "--record-format");
  targetOption_ = command->add_option(
      "--target-pga", targetPga_,
      "scale each record to this peak ground acceleration in cm/s2 instead of the code's value "
      "for time-history analysis at --pga and --action");
  command->add_flag("--no-scaling", noScaling_, "use the records as read")->excludes(targetOption_);
  command->add_option("--format", format_, "text or csv")
      ->check(CLI::IsMember({"text", "csv"}))
      ->capture_default_str();
  command->add_option("-o,--output", output_, "file to write (default standard output)");
  return command;
}

std::vector<double> CheckCommand::MainPeriods() const {
  std::vector<double> periods = ParsePeriods(periods_);
  for (const double period : periods) {
    if (const auto problem = MainPeriodProblem(period, ".")) {
      throw CliError(kExitUsage, "--periods: " + *problem);
    }
  }
  return periods;
}

double CheckCommand::Tolerance() const {
  const double fraction = ReadOptionNumber("--tolerance", tolerance_) / 100;
  if (const auto problem = ToleranceProblem(fraction, ".")) {
    throw CliError(kExitUsage, "--tolerance: " + *problem);
  }
  return fraction;
}

ScaleBand CheckCommand::Band() const {
  const std::size_t comma = scaleBand_.find(',');
  if (comma == std::string::npos) {
    throw CliError(kExitUsage, "--scale-band: \"" + scaleBand_ + "\" is not LOW,HIGH");
  }
  const ScaleBand band{ReadOptionNumber("--scale-band", scaleBand_.substr(0, comma)),
                       ReadOptionNumber("--scale-band", scaleBand_.substr(comma + 1))};
  if (const auto problem = ScaleBandProblem(band, ".")) {
    throw CliError(kExitUsage, "--scale-band: " + *problem);
  }
  return band;
}

std::optional<double> CheckCommand::Target(std::int32_t intensity, std::int32_t action,
                                           std::string& scaling) const {
  SetScaling chosen = ChooseSetScaling(
      noScaling_, targetOption_->count() > 0 ? &targetPga_ : nullptr, intensity, action);
  scaling = std::move(chosen.text);
  return chosen.targetGal;
}

std::vector<std::string> CheckCommand::RecordPaths() const {
  std::vector<std::string> paths = files_;
  paths.insert(paths.end(), artificial_.begin(), artificial_.end());
  if (paths.empty()) {
    throw CliError(kExitUsage,
                   "no record given: name the record files, artificial ones with "
                   "--artificial");
  }
  RefuseRepeatedRecords(paths);
  return paths;
}

ExitCode CheckCommand::Run(std::ostream& out) {
  const SpectrumRequest request = design_.Given();
  const SpectrumBuilder builder;
  SpectrumList spectra;
  builder.Add(request, RequestPlace{}, spectra);
  const DesignSpectrum& design = spectra.At(0);
  if (!(design.damping < 1)) {
    throw CliError(kExitUsage, "--damping: the records' spectra need a damping ratio below 1");
  }
  CheckReport report;
  report.design = &design;
  const std::optional<double> target =
      Target(builder.Choice(request, Column::Pga), builder.Choice(request, Column::Action),
             report.scaling);
  const CheckSettings settings{MainPeriods(), Tolerance(), Band()};

  const std::vector<std::string> paths = RecordPaths();
  const std::vector<GroundMotion> motions = fileOptions_.ReadAll(paths);
  std::vector<CheckRecord> records;
  for (std::size_t i = 0; i < motions.size(); ++i) {
    const double factor = ScaleFactorTo(motions[i], target);
    const bool real = i < files_.size();
    try {
      records.push_back(
          MakeCheckRecord(motions[i], factor, real, settings.periods, design.damping));
    } catch (const std::overflow_error& error) {
      throw CliError(kExitUsage, error.what());
    }
  }
  report.result = CheckCompatibility(records, design, settings);
  WriteOutput(
      output_,
      format_ == "csv" ? BuildCheckTableText(design, report.result, ".") : BuildCheckText(report),
      out);
  return report.result.passes ? kExitSuccess : kExitNotPassed;
}
