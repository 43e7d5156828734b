// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ArtificialCommand.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <limits>
#include <stdexcept>

#include "cli/CliError.h"
#include "cli/OptionNumber.h"
#include "cli/ScaleTarget.h"
#include "cli/SpectrumBuilder.h"
#include "cli/StagedFiles.h"
#include "model/NumberText.h"
#include "model/SpectrumList.h"
#include "records/AccelerationUnit.h"
#include "records/RecordScaling.h"

namespace {

constexpr double kDefaultDuration = 30;  // s

std::string Percent(double fraction) {
  char text[64];
  return {text,
          std::to_chars(text, text + sizeof text, fraction * 100, std::chars_format::fixed, 2).ptr};
}

std::string FileName(std::uint64_t seed, RecordFormat format) {
  return "artificial-" + std::to_string(seed) + (format == RecordFormat::PeerAt2 ? ".at2" : ".txt");
}

}  // namespace

CLI::App* ArtificialCommand::Register(CLI::App& program) {
  CLI::App* command = program.add_subcommand(
      "artificial",
      "Generate artificial ground motions fitted to a design spectrum: their PSA within the "
      "tolerance of Sa at every period 0.01, 0.02, ... s of the band, the peak ground "
      "acceleration exactly the target, the ground at rest at the end. Each record's worst "
      "deviation goes to standard error. Exit code 3, with nothing written, when a record "
      "misses the tolerance.");
  design_.Register(*command, {Column::Code, Column::Pga, Column::Action, Column::Site,
                              Column::Group, Column::Damping, Column::AlphaMax, Column::Tg});
  targetOption_ = command->add_option(
      "--target-pga", targetPga_,
      "peak ground acceleration in cm/s2 (default the code's value for time-history analysis "
      "at --pga and --action)");
  command->add_option("--duration", duration_,
                      "length of the record in s (default 30, or longer for --longest-period)");
  command->add_option("--step", step_, "time step in s")->capture_default_str();
  command->add_option("--envelope", envelope_,
                      "intensity envelope T1,T2,C: rising as (t/T1)^2, flat to T2, then "
                      "exp(-C (t-T2)) (default T1 = duration/15, T2 = duration/2, C = "
                      "ln 10 / (0.4 duration))");
  command->add_option("--longest-period", longestPeriod_,
                      "the structure's longest main period in s: the default duration grows so "
                      "that the effective duration is at least 5 times it");
  command->add_option("--band", band_, "periods fitted FROM,TO in s (TO at most 6)")
      ->capture_default_str();
  command->add_option("--tolerance", tolerance_, "allowed deviation of PSA from Sa in percent")
      ->capture_default_str();
  command->add_option("--seed", seed_, "seed of the first record")->capture_default_str();
  command->add_option("--count", count_, "number of records, with seeds SEED, SEED+1, ...")
      ->capture_default_str();
  command->add_option("--format", format_, "at2, two-column or one-column, acceleration in g")
      ->check(CLI::IsMember({"at2", "two-column", "one-column"}))
      ->capture_default_str();
  command->add_option("-o,--output", output_,
                      "file to write (default standard output); a folder for --count above 1, "
                      "its files named artificial-SEED.at2 or .txt");
  return command;
}

std::vector<double> ArtificialCommand::Pair(const std::string& option, const std::string& text,
                                            std::size_t count) const {
  std::vector<double> values;
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = text.find(',', from);
    values.push_back(ReadOptionNumber(option, text.substr(from, comma - from)));
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  if (values.size() != count) {
    throw CliError(kExitUsage, option + ": \"" + text + "\" is not " + std::to_string(count) +
                                   " numbers separated by commas");
  }
  return values;
}

ArtificialOptions ArtificialCommand::Options(std::int32_t intensity, std::int32_t action) const {
  ArtificialOptions options;
  const double targetGal = targetOption_->count() > 0
                               ? ReadTargetPga(targetPga_)
                               : TimeHistoryPeakAcceleration(intensity, action);
  options.targetPga = targetGal / (100 * kStandardGravity);
  options.step = ReadOptionNumber("--step", step_);
  options.duration = kDefaultDuration;
  if (!longestPeriod_.empty()) {
    const double longest = ReadOptionNumber("--longest-period", longestPeriod_);
    if (!(longest > 0 && longest <= 1000)) {
      throw CliError(kExitUsage, "--longest-period: the period must be above 0 and at most 1000 s");
    }
    options.duration = std::fmax(kDefaultDuration, DurationForLongestPeriod(longest));
  }
  if (!duration_.empty()) options.duration = ReadOptionNumber("--duration", duration_);
  options.envelope = IntensityEnvelope::ForDuration(options.duration);
  if (!envelope_.empty()) {
    const std::vector<double> e = Pair("--envelope", envelope_, 3);
    options.envelope = {e[0], e[1], e[2]};
  }
  const std::vector<double> band = Pair("--band", band_, 2);
  options.bandStart = band[0];
  options.bandEnd = band[1];
  options.tolerance = ReadOptionNumber("--tolerance", tolerance_) / 100;
  return options;
}

ExitCode ArtificialCommand::Run(std::ostream& out) {
  const SpectrumRequest request = design_.Given();
  const SpectrumBuilder builder;
  SpectrumList spectra;
  builder.Add(request, RequestPlace{}, spectra);
  const DesignSpectrum& design = spectra.At(0);
  ArtificialOptions options =
      Options(builder.Choice(request, Column::Pga), builder.Choice(request, Column::Action));
  if (count_ < 1) throw CliError(kExitUsage, "--count: at least 1 record");
  if (seed_ > std::numeric_limits<std::uint64_t>::max() - (count_ - 1)) {
    throw CliError(kExitUsage, "--seed: the seeds of --count records pass the largest seed");
  }
  if (count_ > 1 && (output_.empty() || output_ == "-")) {
    throw CliError(kExitUsage, "-o: --count above 1 writes a folder; name it with -o");
  }
  try {
    CheckArtificialInputs(design, options);
  } catch (const std::invalid_argument& error) {
    throw CliError(kExitUsage, error.what());
  }
  const RecordFormat format = format_ == "at2"          ? RecordFormat::PeerAt2
                              : format_ == "two-column" ? RecordFormat::TimeAcceleration
                                                        : RecordFormat::Acceleration;

  std::vector<std::string> texts;
  bool reached = true;
  for (std::uint64_t i = 0; i < count_; ++i) {
    options.seed = seed_ + i;
    const ArtificialResult result = *GenerateArtificial(design, options);
    err_ << "seed " << options.seed << ": worst deviation " << Percent(result.worstDeviation)
         << " % at " << FormatGeneral(result.worstPeriod, ".") << " s after " << result.iterations
         << " rounds" << (result.reached ? "" : ", tolerance not reached") << '\n';
    reached = reached && result.reached;
    if (reached) {
      texts.push_back(
          WriteRecord(result.motion, format, DescribeArtificial(design, options, result)));
    }
  }
  if (!reached) {
    throw CliError(kExitNotPassed, "the tolerance of " +
                                       FormatGeneral(options.tolerance * 100, ".") +
                                       " % was not reached; nothing written");
  }
  if (count_ == 1) {
    WriteOutput(output_, texts.front(), out);
  } else {
    StagedFiles files;
    files.MakeFolder(output_);
    for (std::uint64_t i = 0; i < count_; ++i) {
      files.Stage(output_ + "/" + FileName(seed_ + i, format), texts[i]);
    }
    files.Commit();
  }
  return kExitSuccess;
}
