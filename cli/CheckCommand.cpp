#include "cli/CheckCommand.h"

#include <CLI/CLI.hpp>
#include <set>

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
#include "records/RecordScaling.h"
#include "records/ResponseSpectrum.h"

CLI::App* CheckCommand::Register(CLI::App& program) {
  CLI::App* command = program.add_subcommand(
      "check",
      "Check a set of ground-motion records against a design spectrum at the main periods: "
      "each record scaled, the mean PSA within the tolerance of the design value at every "
      "period, each record's effective duration at least 5 T1, real records at least two "
      "thirds of the set. Exit code 0 when the set passes, 3 when it does not.");
  command
      ->add_option("--periods", periods_,
                   "main periods T1,T2,... in s (above 0, at most 6), T1 the fundamental one; "
                   "START:STEP:END also")
      ->required();
  design_.Register(*command, {Column::Code, Column::Pga, Column::Action, Column::Site,
                              Column::Group, Column::Damping, Column::AlphaMax, Column::Tg});
  design_.Option(Column::Damping)
      .description(
          "damping ratio of the design spectrum and of the records' spectra (default "
          "0.05, below 1)");
  command->add_option("--tolerance", tolerance_, "allowed deviation of the mean in percent")
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
    if (!(period >= kMinimumPeriod)) {
      throw CliError(kExitUsage, "--periods: the main periods must be at least " +
                                     FormatGeneral(kMinimumPeriod) + " s");
    }
  }
  return periods;
}

double CheckCommand::Tolerance() const {
  const double percent = ReadOptionNumber("--tolerance", tolerance_);
  if (!(percent > 0)) throw CliError(kExitUsage, "--tolerance: the tolerance must be above 0 %");
  return percent;
}

std::optional<double> CheckCommand::Target(std::int32_t intensity, std::int32_t action,
                                           std::string& scaling) const {
  if (noScaling_) {
    scaling = "none, the records as read";
    return std::nullopt;
  }
  if (targetOption_->count() > 0) {
    const double target = ReadTargetPga(targetPga_);
    scaling = "peak ground acceleration " + FormatGeneral(target) + " cm/s2";
    return target;
  }
  const double target = TimeHistoryPeakAcceleration(intensity, action);
  scaling = "peak ground acceleration " + FormatGeneral(target) +
            " cm/s2, the code's value for time-history analysis at pga " +
            std::string(ChoiceText(Column::Pga, intensity)) + ", " +
            std::string(ChoiceText(Column::Action, action));
  return target;
}

std::vector<std::string> CheckCommand::RecordPaths() const {
  std::vector<std::string> paths = files_;
  paths.insert(paths.end(), artificial_.begin(), artificial_.end());
  if (paths.empty()) {
    throw CliError(kExitUsage,
                   "no record given: name the record files, artificial ones with "
                   "--artificial");
  }
  std::set<std::string> seen;
  for (const std::string& path : paths) {
    if (!seen.insert(path).second) {
      throw CliError(kExitUsage, "\"" + path + "\" is given twice; each record counts once");
    }
  }
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
  report.tolerancePercent = Tolerance();
  const CheckOptions options{MainPeriods(), report.tolerancePercent / 100};

  const std::vector<std::string> paths = RecordPaths();
  const std::vector<GroundMotion> motions = fileOptions_.ReadAll(paths);
  std::vector<CheckRecord> records;
  for (std::size_t i = 0; i < motions.size(); ++i) {
    const double factor = ScaleFactorTo(motions[i], target);
    const bool real = i < files_.size();
    records.push_back(MakeCheckRecord(motions[i], factor, real, options.periods, design.damping));
    report.records.push_back({paths[i], PeakAcceleration(motions[i]), factor});
  }
  report.result = CheckCompatibility(records, design, options);
  WriteOutput(output_, format_ == "csv" ? BuildCheckCsvText(report) : BuildCheckText(report), out);
  return report.result.passes ? kExitSuccess : kExitNotPassed;
}
