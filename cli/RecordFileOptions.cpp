// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RecordFileOptions.h"

#include <CLI/CLI.hpp>
#include <system_error>
#include <utility>

#include "cli/CliError.h"
#include "cli/InputFile.h"
#include "cli/OptionNumber.h"
#include "records/RecordError.h"
#include "records/RecordFileReader.h"

namespace {

constexpr std::pair<const char*, RecordFormat> kFormats[] = {
    {"auto", RecordFormat::Automatic},
    {"at2", RecordFormat::PeerAt2},
    {"two-column", RecordFormat::TimeAcceleration},
    {"one-column", RecordFormat::Acceleration},
};

constexpr std::pair<const char*, AccelerationUnit> kUnits[] = {
    {"g", AccelerationUnit::G},
    {"m/s2", AccelerationUnit::MetresPerSecondSquared},
    {"gal", AccelerationUnit::Gal},
    {"cm/s2", AccelerationUnit::Gal},
};

template <class Value, std::size_t N>
std::vector<std::string> Names(const std::pair<const char*, Value> (&table)[N]) {
  std::vector<std::string> names;
  for (const auto& entry : table) names.emplace_back(entry.first);
  return names;
}

// The options are checked against the names by the parser.
template <class Value, std::size_t N>
Value Named(const std::pair<const char*, Value> (&table)[N], const std::string& name) {
  for (const auto& entry : table) {
    if (name == entry.first) return entry.second;
  }
  return table[0].second;
}

}  // namespace

void RecordFileOptions::Register(CLI::App& command, const std::string& formatNames) {
  command
      .add_option(formatNames, format_,
                  "layout of the record files: auto (\".AT2\" names are PEER records, other "
                  "files text by their number of columns), at2, two-column (time and "
                  "acceleration, equally spaced) or one-column (acceleration at --step)")
      ->check(CLI::IsMember(Names(kFormats)))
      ->capture_default_str();
  command
      .add_option("--unit", unit_,
                  "unit of the accelerations: g, m/s2 or gal (cm/s2). Text records are in g "
                  "without it; .AT2 records name their unit on their third line, which it must "
                  "agree with, and need it when that line names none")
      ->check(CLI::IsMember(Names(kUnits)));
  command.add_option("--step", step_, "time step in s of one-column records");
}

RecordReadOptions RecordFileOptions::ReadOptions() const {
  RecordReadOptions options;
  options.format = Named(kFormats, format_);
  if (!unit_.empty()) options.unit = Named(kUnits, unit_);
  if (!step_.empty()) {
    const double step = ReadOptionNumber("--step", step_);
    if (!(step > 0)) throw CliError(kExitUsage, "--step: the time step must be above 0 s");
    options.step = step;
  }
  return options;
}

std::vector<GroundMotion> RecordFileOptions::ReadAll(const std::vector<std::string>& paths) const {
  const RecordReadOptions options = ReadOptions();
  std::vector<GroundMotion> motions;
  for (const std::string& path : paths) {
    try {
      if (path == "-") {
        const std::string bytes = ReadWholeFile(path, kMostRecordFileBytes);
        CheckRecordFileSize(path, bytes.size());
        motions.push_back(ReadRecord(path, bytes, options));
      } else {
        motions.push_back(*ReadRecordFile(path, path, options));
      }
    } catch (const RecordError& error) {
      throw CliError(kExitUsage, error.what());
    } catch (const std::system_error& error) {
      throw CliError(kExitFailure, "Cannot read file \"" + path + "\": " + error.code().message());
    }
  }
  return motions;
}
