#include "cli/SpectrumCommand.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <system_error>

#include "cli/BatchFile.h"
#include "cli/CliError.h"
#include "cli/DecimalSeparatorScope.h"
#include "cli/InputFile.h"
#include "cli/JsonText.h"
#include "cli/PeriodSelection.h"
#include "cli/SpectrumBuilder.h"
#include "cli/StagedFiles.h"
#include "cli/TxtFileNames.h"
#include "cli/TxtText.h"
#include "model/CsvText.h"
#include "model/SpectrumList.h"

namespace {

bool IsFolder(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

}  // namespace

CLI::App* SpectrumCommand::Register(CLI::App& program) {
  CLI::App* command = program.add_subcommand(
      "spectrum",
      "Make design spectra from the options or from a batch file. Numbers are checked like the "
      "window's input fields and written with the decimal separator given by --separator.");
  design_.Register(*command, {Column::Name, Column::Code, Column::Pga, Column::Action, Column::Site,
                              Column::Group, Column::Damping, Column::AlphaMax, Column::Tg});
  command->add_option("--batch", batch_,
                      "CSV file (\"-\": standard input) with a header line naming some of the "
                      "columns name,code,pga,action,site,group,damping,alpha_max,tg and one "
                      "spectrum per row; an empty cell takes the option's value or default, "
                      "an empty name Spectrum-<row>");
  command->add_option("--format", format_, "csv (the window's Save Data file), txt or json")
      ->check(CLI::IsMember({"csv", "txt", "json"}))
      ->capture_default_str();
  command->add_option("--separator", separator_, "decimal separator of the numbers (. or ,)")
      ->check(CLI::IsMember({".", ","}))
      ->capture_default_str();
  periodsOption_ = command->add_option(
      "--periods", periods_,
      "txt and json: fine (0 to 6 s by 0.01, the default), coarse (by 0.05), START:STEP:END "
      "or T1,T2,... in seconds within 0 to 6");
  command->add_option("-o,--output", output_,
                      "file to write (default or \"-\": standard output); for txt with --batch a "
                      "folder, which gets one NAME.txt per spectrum");
  return command;
}

SpectrumList SpectrumCommand::MakeSpectra() const {
  SpectrumList spectra;
  if (batch_.empty()) {
    SpectrumBuilder().Add(design_.Given(), RequestPlace{}, spectra);
    return spectra;
  }
  if (design_.IsGiven(Column::Name)) {
    throw CliError(kExitUsage, "--name cannot be used with --batch: the batch names its spectra");
  }
  const std::string bytes = ReadWholeFile(batch_);
  const SpectrumBuilder builder(design_.Given());
  std::size_t number = 0;
  for (const BatchRow& row : ReadBatch(bytes, batch_)) {
    const RequestPlace place{batch_ + ":" + std::to_string(row.line) + ": ", true, ++number};
    builder.Add(row.request, place, spectra);
  }
  return spectra;
}

ExitCode SpectrumCommand::Run(std::ostream& out) {
  const DecimalSeparatorScope separator(separator_);
  if (format_ == "csv" && periodsOption_->count() > 0) {
    throw CliError(kExitUsage, "--periods: the csv format always has the periods of Save Data");
  }
  const std::vector<double> periods = ParsePeriods(periods_.empty() ? "fine" : periods_);
  const SpectrumList spectra = MakeSpectra();
  if (format_ == "csv") {
    WriteOutput(output_, BuildCsvText(spectra), out);
  } else if (format_ == "json") {
    WriteOutput(output_, BuildJsonText(spectra, periods), out);
  } else {
    WriteTxt(spectra, periods, out);
  }
  return kExitSuccess;
}

void SpectrumCommand::WriteTxt(const SpectrumList& spectra, std::span<const double> periods,
                               std::ostream& out) const {
  // A batch always goes to a folder, so its files are where the next run of it looks.
  const bool toStandardOutput = output_.empty() || output_ == "-";
  const bool toFolder =
      !batch_.empty() || (!toStandardOutput && (IsFolder(output_) || output_.back() == '/'));
  if (!toFolder) return WriteOutput(output_, BuildTxtText(spectra.At(0), periods), out);
  if (toStandardOutput) {
    throw CliError(kExitUsage,
                   "the txt format holds one spectrum per file: give a folder with -o DIR");
  }
  if (Exists(output_) && !IsFolder(output_)) {
    throw CliError(kExitUsage, "-o: \"" + output_ + "\" is a file, not a folder for the txt files");
  }
  StagedFiles files;
  files.MakeFolder(output_);
  TxtFileNames names;
  for (const auto& spectrum : spectra) {
    const std::filesystem::path path = std::filesystem::path(output_) / names.Next(spectrum->name);
    files.Stage(path.string(), BuildTxtText(*spectrum, periods));
  }
  files.Commit();
}
