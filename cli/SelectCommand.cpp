// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SelectCommand.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <set>
#include <stdexcept>
#include <system_error>

#include "cli/CheckText.h"
#include "cli/CliError.h"
#include "cli/OptionNumber.h"
#include "cli/PeriodSelection.h"
#include "cli/ScaleTarget.h"
#include "cli/SelectionChoices.h"
#include "cli/SpectrumBuilder.h"
#include "cli/StagedFiles.h"
#include "cli/TextTable.h"
#include "model/NumberText.h"
#include "model/SpectrumList.h"
#include "records/CheckSettings.h"
#include "records/RecordError.h"
#include "records/RecordFileReader.h"
#include "records/RecordScaling.h"
#include "records/RecordSelection.h"
#include "records/ShapeBand.h"
#include "records/ShortestNumber.h"

namespace {

// Two numbers "LOW,HIGH" of an option.
std::pair<double, double> ReadPair(const std::string& option, const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) {
    throw CliError(kExitUsage, option + ": \"" + text + "\" is not LOW,HIGH");
  }
  return {ReadOptionNumber(option, text.substr(0, comma)),
          ReadOptionNumber(option, text.substr(comma + 1))};
}

bool IsAt2(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".at2";
}

std::string Percent(double fraction) {
  return FormatPattern(NumberPattern::TwoDecimals, fraction * 100, ".");
}

// A line on standard error that rewrites itself, only where someone watches it.
class ProgressLine {
 public:
  ProgressLine() : shown_(::isatty(STDERR_FILENO) == 1) {}
  ~ProgressLine() { Show(""); }
  void Show(const std::string& text) {
    if (!shown_) return;
    std::cerr << '\r' << text << std::string(width_ > text.size() ? width_ - text.size() : 0, ' ')
              << '\r' << std::flush;
    width_ = text.size();
  }

 private:
  bool shown_;
  std::size_t width_ = 0;
};

std::string SearchText(const SelectionResult& r) {
  if (r.proven) {
    return "Search: all " + ShortestNumber(r.setCount, ".") +
           " sets compared; the best set is the best there is.\n";
  }
  std::string text = "Search: not proven the best: " + std::to_string(r.starts) +
                     " starts of greedy choice and single exchanges compared " +
                     std::to_string(r.evaluated) + " of the " + ShortestNumber(r.setCount, ".") +
                     " sets";
  if (r.bandRmsBound) {
    text += "; no set has a band RMS deviation below " + Percent(*r.bandRmsBound) + " %";
  }
  return text + ".\n";
}

std::string SetRecords(const std::vector<std::size_t>& members,
                       const std::vector<std::string>& paths) {
  std::string text;
  for (const std::size_t i : members) text += (text.empty() ? "" : " ") + paths[i];
  return text;
}

std::string BuildText(const SelectionResult& r, const CheckReport& best,
                      const std::vector<std::string>& paths, std::size_t real, std::size_t count,
                      const std::vector<double>& band) {
  std::string text = "Selection: the best set of " + std::to_string(count) + " from " +
                     std::to_string(paths.size()) + " records (" + std::to_string(real) +
                     " real, " + std::to_string(paths.size() - real) + " artificial)";
  text += "; left out: " + std::to_string(r.shortCount) + " with an effective duration below " +
          FormatPattern(NumberPattern::TwoDecimals, r.minimumDuration, ".") + " s (5 T1), " +
          std::to_string(r.scaleCount) + " with a scale factor outside " +
          FormatGeneral(best.result.scaleBand.low, ".") + " to " +
          FormatGeneral(best.result.scaleBand.high, ".") + "\n";
  text += "Shape band: " + FormatPattern(NumberPattern::TwoDecimals, band.front(), ".") + " to " +
          FormatPattern(NumberPattern::TwoDecimals, band.back(), ".") + " s (" +
          std::to_string(band.size()) + " periods)\n";
  text += SearchText(r);
  const SelectedSet& set = r.sets.front();
  text += "Best set: band RMS deviation " + Percent(set.bandRms) +
          " %, largest deviation at the main periods " + Percent(set.worstMainDeviation) + " %";
  if (!set.passes) {
    text += r.proven ? "; no set passes" : "; no passing set was found";
  }
  text += "\n\n" + BuildCheckText(best);
  if (r.sets.size() > 1) {
    text += "\nAlternatives:\n";
    TextTable table({"Rank", "Passes", "BandRMS(%)", "MainWorst(%)", "Records"},
                    {true, false, true, true, false});
    for (std::size_t k = 1; k < r.sets.size(); ++k) {
      const SelectedSet& alternative = r.sets[k];
      table.AddRow({std::to_string(k + 1), alternative.passes ? "yes" : "no",
                    Percent(alternative.bandRms), Percent(alternative.worstMainDeviation),
                    SetRecords(alternative.members, paths)});
    }
    table.AppendTo(text);
  }
  return text;
}

std::string BuildCsv(const SelectionResult& r, const std::vector<std::string>& paths,
                     const std::vector<CandidateSpectrum>& candidates) {
  std::string text = "Set,Passes,BandRMS(%),MainWorst(%),Record,Kind,ScaleFactor\r\n";
  for (std::size_t k = 0; k < r.sets.size(); ++k) {
    const SelectedSet& set = r.sets[k];
    for (const std::size_t i : set.members) {
      std::string path = paths[i];
      if (path.find_first_of(",\"\r\n") != std::string::npos) {
        std::string quoted = "\"";
        for (const char c : path) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        path = quoted + "\"";
      }
      text += std::to_string(k + 1) + "," + (set.passes ? "yes" : "no") + "," +
              ShortestNumber(set.bandRms * 100, ".") + "," +
              ShortestNumber(set.worstMainDeviation * 100, ".") + "," + path + "," +
              (candidates[i].real ? "real" : "artificial") + "," +
              ShortestNumber(candidates[i].scaleFactor, ".") + "\r\n";
    }
  }
  return text;
}

}  // namespace

CLI::App* SelectCommand::Register(CLI::App& program) {
  CLI::App* command = program.add_subcommand(
      "select",
      "Choose the best set of --count records from the files given or a folder of PEER records "
      "(--library): sets that pass the check first, then the smallest RMS deviation of the "
      "mean from the design spectrum over the shape band around the main periods, then the "
      "smallest deviation at the main periods. Exact where all sets can be compared within the "
      "time limit; otherwise the search says it is not proven and how far from the best it "
      "may be. Records too short (effective duration below 5 T1) or scaled outside the scale "
      "band are left out. Exit code 0 when the best set passes the check, 3 when no set does.");
  command
      ->add_option("--periods", periods_,
                   "the structure's main periods T1,T2,... in s (0.001 to 6), in any order; "
                   "START:STEP:END also. T1, the fundamental period, is the longest")
      ->required();
  command->add_option("--count", count_, "records in the set")->capture_default_str();
  design_.Register(*command, {Column::Code, Column::Pga, Column::Action, Column::Site,
                              Column::Group, Column::Damping, Column::AlphaMax, Column::Tg});
  command->add_option("FILE", files_, "real (recorded) ground motions to choose from");
  command->add_option("--library", library_,
                      "a folder whose .AT2 files (PEER records, real) are choices too");
  command
      ->add_option("--artificial", artificial_,
                   "an artificial ground motion to choose from, one file per --artificial; "
                   "repeatable")
      ->allow_extra_args(false);
  command
      ->add_option("--require", require_,
                   "a record that must be in the set, one file per --require; repeatable")
      ->allow_extra_args(false);
  command
      ->add_option("--tolerance", tolerance_,
                   "allowed deviation of the mean in percent, above 0 and below 100")
      ->capture_default_str();
  command
      ->add_option("--scale-band", scaleBand_,
                   "LOW,HIGH: records whose scale factor lies outside are left out")
      ->capture_default_str();
  command->add_option("--band", band_,
                      "LOW,HIGH: the shape band in s (default 0.2 times the shortest main "
                      "period to 1.5 T1, rounded to 0.01 s, within 0.05 to 6 s)");
  command->add_option("--time-limit", timeLimit_, "seconds for the search")->capture_default_str();
  command->add_option("--alternatives", alternatives_, "next-best sets to list")
      ->capture_default_str();
  command->add_option("--threads", threads_, "worker threads (default: one per core)");
  fileOptions_.Register(*command, "--record-format");
  targetOption_ = command->add_option(
      "--target-pga", targetPga_,
      "scale each record to this peak ground acceleration in cm/s2 instead of the code's value "
      "for time-history analysis at --pga and --action");
  command->add_flag("--no-scaling", noScaling_, "use the records as read")->excludes(targetOption_);
  command
      ->add_option("--format", format_,
                   "text, csv (a line per record of each set) or list (the best set's files, "
                   "one per line, as given)")
      ->check(CLI::IsMember({"text", "csv", "list"}))
      ->capture_default_str();
  command->add_option("-o,--output", output_, "file to write (default standard output)");
  return command;
}

std::vector<std::string> SelectCommand::CandidatePaths(std::size_t& artificialFrom) const {
  std::vector<std::string> paths = files_;
  if (!library_.empty()) {
    std::error_code error;
    if (!std::filesystem::is_directory(library_, error)) {
      throw CliError(kExitUsage, "--library: \"" + library_ + "\" is not a folder");
    }
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(library_, error)) {
      if (entry.is_regular_file() && IsAt2(entry.path())) found.push_back(entry.path().string());
    }
    if (error) {
      throw CliError(kExitFailure, "Cannot read folder \"" + library_ + "\": " + error.message());
    }
    if (found.empty()) {
      throw CliError(kExitUsage, "--library: \"" + library_ + "\" holds no .AT2 file");
    }
    std::sort(found.begin(), found.end());
    paths.insert(paths.end(), found.begin(), found.end());
  }
  const std::set<std::string> given(paths.begin(), paths.end());
  for (const std::string& path : require_) {
    const bool artificial =
        std::find(artificial_.begin(), artificial_.end(), path) != artificial_.end();
    if (given.count(path) == 0 && !artificial) paths.push_back(path);
  }
  artificialFrom = paths.size();
  paths.insert(paths.end(), artificial_.begin(), artificial_.end());
  if (paths.empty()) {
    throw CliError(kExitUsage,
                   "no record given: name the record files, a --library folder, or artificial "
                   "ones with --artificial");
  }
  for (const std::string& path : paths) {
    if (path == "-") throw CliError(kExitUsage, "select reads records from files, not \"-\"");
  }
  RefuseRepeatedRecords(paths);
  return paths;
}

ExitCode SelectCommand::Run(std::ostream& out) {
  const SpectrumRequest request = design_.Given();
  const SpectrumBuilder builder;
  SpectrumList spectra;
  builder.Add(request, RequestPlace{}, spectra);
  const DesignSpectrum& design = spectra.At(0);
  if (!(design.damping < 1)) {
    throw CliError(kExitUsage, "--damping: the records' spectra need a damping ratio below 1");
  }

  SelectionSettings settings;
  settings.check.periods = ParsePeriods(periods_);
  settings.check.tolerance = ReadOptionNumber("--tolerance", tolerance_) / 100;
  const auto [low, high] = ReadPair("--scale-band", scaleBand_);
  settings.check.scaleBand = {low, high};
  if (const auto problem = CheckSettingsProblem(settings.check, ".")) {
    const char* option[] = {"--periods", "--tolerance", "--target-pga", "--scale-band"};
    throw CliError(kExitUsage, std::string(option[static_cast<int>(problem->setting)]) + ": " +
                                   problem->message);
  }
  ShapeBand band = DefaultShapeBand(settings.check.periods);
  if (!band_.empty()) {
    const auto [bandLow, bandHigh] = ReadPair("--band", band_);
    band = {bandLow, bandHigh};
  }
  try {
    settings.bandPeriods = ShapeBandPeriods(band);
  } catch (const std::invalid_argument& error) {
    throw CliError(kExitUsage, std::string("--band: ") + error.what());
  }
  settings.count = count_;
  settings.timeLimit = ReadOptionNumber("--time-limit", timeLimit_);
  settings.alternatives = alternatives_;
  settings.threads = threads_;

  const SetScaling chosen = ChooseSetScaling(
      noScaling_, targetOption_->count() > 0 ? &targetPga_ : nullptr,
      builder.Choice(request, Column::Pga), builder.Choice(request, Column::Action));
  const std::string& scaling = chosen.text;
  const std::optional<double> target = chosen.targetGal;

  std::size_t artificialFrom = 0;
  const std::vector<std::string> paths = CandidatePaths(artificialFrom);
  for (const std::string& path : require_) {
    settings.required.push_back(
        static_cast<std::size_t>(std::find(paths.begin(), paths.end(), path) - paths.begin()));
  }
  const RecordReadOptions readOptions = fileOptions_.ReadOptions();
  LibraryRequest library;
  library.count = paths.size();
  library.read = [&](std::size_t i) { return *ReadRecordFile(paths[i], paths[i], readOptions); };
  library.real = [&](std::size_t i) { return i < artificialFrom; };
  library.periods = SelectionPeriods(settings);
  library.damping = design.damping;
  library.targetGal = target;
  library.threads = threads_;

  ProgressLine progress;
  std::vector<CandidateSpectrum> candidates;
  try {
    candidates = *ComputeLibrarySpectra(library, [&](std::size_t done, std::size_t total) {
      progress.Show("Reading records: " + std::to_string(done) + " of " + std::to_string(total));
      return true;
    });
  } catch (const RecordError& error) {
    throw CliError(kExitUsage, error.what());
  } catch (const std::system_error& error) {
    throw CliError(kExitFailure, std::string("Cannot read file ") + error.what());
  } catch (const std::invalid_argument& error) {
    throw CliError(kExitUsage, error.what());
  } catch (const std::overflow_error& error) {
    throw CliError(kExitUsage, error.what());
  }
  progress.Show("Searching for the best set of " + std::to_string(count_) + "...");
  SelectionResult result;
  try {
    result = SelectRecords(candidates, design, settings);
  } catch (const std::invalid_argument& error) {
    throw CliError(kExitUsage, error.what());
  }
  progress.Show("");

  const SelectedSet& best = result.sets.front();
  std::string text;
  if (format_ == "list") {
    for (const std::size_t i : best.members) text += paths[i] + "\n";
  } else if (format_ == "csv") {
    text = BuildCsv(result, paths, candidates);
  } else {
    CheckReport report;
    report.design = &design;
    report.scaling = scaling;
    report.result = best.check;
    text = BuildText(result, report, paths, artificialFrom, count_, settings.bandPeriods);
  }
  WriteOutput(output_, text, out);
  return best.passes ? kExitSuccess : kExitNotPassed;
}
