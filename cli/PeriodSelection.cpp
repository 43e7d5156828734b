// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PeriodSelection.h"

#include <cmath>
#include <string>

#include "cli/CliError.h"
#include "cli/OptionNumber.h"
#include "model/NumberText.h"

namespace {

constexpr double kLongestPeriod = 6;
constexpr std::int32_t kMostPeriods = 1'000'000;

CliError Refuse(const std::string& message) {
  return CliError(kExitUsage, "--periods: " + message);
}

double ReadNumber(std::string_view text) { return ReadOptionNumber("--periods", text); }

double ReadPeriod(std::string_view text) {
  const double period = ReadNumber(text);
  if (!(period >= 0 && period <= kLongestPeriod)) {
    throw Refuse(std::string(text) + " s lies outside 0 to 6 s");
  }
  return period;
}

std::vector<double> Range(std::string_view text, std::size_t firstColon) {
  const std::size_t secondColon = text.find(':', firstColon + 1);
  if (secondColon == std::string_view::npos || text.find(':', secondColon + 1) != text.npos) {
    throw Refuse("a range is written START:STEP:END");
  }
  const double start = ReadPeriod(text.substr(0, firstColon));
  const double step = ReadNumber(text.substr(firstColon + 1, secondColon - firstColon - 1));
  const double end = ReadPeriod(text.substr(secondColon + 1));
  if (!(step > 0)) throw Refuse("the step must be above 0");
  if (end < start) throw Refuse("the range ends before it starts");
  if ((end - start) / step >= kMostPeriods) throw Refuse("more than a million periods");
  const std::int32_t count = PeriodCount(end - start, step);
  std::vector<double> periods;
  periods.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    const double period = start + i * step;
    if (period <= end) periods.push_back(period);
  }
  return periods;
}

std::vector<double> List(std::string_view text) {
  std::vector<double> periods;
  for (std::size_t begin = 0;;) {
    const std::size_t comma = text.find(',', begin);
    periods.push_back(ReadPeriod(text.substr(begin, comma - begin)));
    if (periods.size() > kMostPeriods) throw Refuse("more than a million periods");
    if (comma == std::string_view::npos) return periods;
    begin = comma + 1;
  }
}

}  // namespace

std::vector<double> ParsePeriods(std::string_view text) {
  std::vector<double> periods;
  if (text == "fine") {
    for (std::int32_t i = 0; i < FinePeriodCount(); ++i) periods.push_back(FinePeriod(i));
    return periods;
  }
  if (text == "coarse") {
    for (std::int32_t m = 0; m < kCoarsePeriodCount; ++m) periods.push_back(CoarsePeriod(m));
    return periods;
  }
  if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
    return Range(text, colon);
  }
  return List(text);
}
