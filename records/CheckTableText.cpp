// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/CheckTableText.h"

#include <charconv>
#include <initializer_list>

#include "model/CsvText.h"
#include "records/CsvLine.h"
#include "records/ShortestNumber.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// "1 record", "2 records".
std::string Count(std::size_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// A scale factor in a sentence: four significant digits tell how far off it is.
std::string Rounded(double value, std::string_view decimalSeparator) {
  char digits[32];
  const char* end =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 4).ptr;
  std::string text;
  for (const char* c = digits; c != end; ++c) {
    if (*c == '.' && !decimalSeparator.empty()) {
      text.append(decimalSeparator);
    } else {
      text.push_back(*c);
    }
  }
  return text;
}

const char* Verdict(bool passes) { return passes ? "pass" : "fail"; }

const char* RuleName(SetRule rule) {
  switch (rule) {
    case SetRule::TooFew:
      return "too few";
    case SetRule::Envelope:
      return "envelope";
    case SetRule::Mean:
      break;
  }
  return "mean";
}

}  // namespace

std::string BuildCheckTableText(const DesignSpectrum& design, const CheckResult& result,
                                std::string_view decimalSeparator) {
  const std::string_view sep = decimalSeparator;
  std::string out;
  CsvLine(out, sep).Fields({"DesignSpectrum", "Code", "AlphaMax(g)", "Tg(s)", "DampingRatio"});
  CsvLine(out, sep)
      .Field(design.name)
      .Field(design.GetCodeName())
      .Number(design.alphaMax)
      .Number(design.tg)
      .Number(design.damping);
  CsvLine(out, sep).Fields(
      {"Tolerance(%)", "T1(s)", "MinimumDuration(s)", "ScaleBandLow", "ScaleBandHigh"});
  CsvLine(out, sep)
      .Number(result.tolerance * 100)
      .Number(result.fundamentalPeriod)
      .Number(result.minimumDuration)
      .Number(result.scaleBand.low)
      .Number(result.scaleBand.high);
  out.append(kLineEnd);

  {
    CsvLine heading(out, sep);
    heading.Fields({"Period(s)", "Mean(g)", "Design(g)", "Deviation(%)", "Result"});
    for (const RecordCheck& record : result.records) heading.Field(record.name + " PSA(g)");
  }
  for (const PeriodCheck& period : result.periods) {
    CsvLine line(out, sep);
    line.Number(period.period)
        .Number(period.mean)
        .Number(period.design)
        .Number(period.deviationPercent)
        .Field(Verdict(period.passes));
    for (const double psa : period.psa) line.Number(psa);
  }
  out.append(kLineEnd);

  CsvLine(out, sep).Fields({"Record", "Kind", "PGA(g)", "ScaleFactor", "ScaleFactorInBand",
                            "EffectiveDuration(s)", "Duration"});
  for (const RecordCheck& record : result.records) {
    CsvLine(out, sep)
        .Field(record.name)
        .Field(record.real ? "real" : "artificial")
        .Number(record.peakAcceleration)
        .Number(record.scaleFactor)
        .Field(record.scaleOutsideBand ? "no" : "yes")
        .Number(record.effectiveDuration)
        .Field(record.tooShort ? "too short" : "long enough");
  }
  out.append(kLineEnd);

  std::string reasons;
  for (const std::string& reason : CheckFailureReasons(result, sep)) {
    reasons.append(reasons.empty() ? "" : "; ").append(reason);
  }
  CsvLine(out, sep).Fields(
      {"Records", "Real", "Artificial", "RealAtLeastTwoThirds", "SetRule", "Result", "Reasons"});
  CsvLine(out, sep)
      .Field(std::to_string(result.records.size()))
      .Field(std::to_string(result.realCount))
      .Field(std::to_string(result.artificialCount))
      .Field(result.tooFewReal ? "no" : "yes")
      .Field(RuleName(result.setRule))
      .Field(Verdict(result.passes))
      .Field(reasons);
  return out;
}

std::vector<std::string> CheckFailureReasons(const CheckResult& result,
                                             std::string_view decimalSeparator) {
  std::vector<std::string> reasons;
  if (!result.failingPeriods.empty()) {
    reasons.push_back(std::to_string(result.failingPeriods.size()) + " of " +
                      Count(result.periods.size(), "period") + " outside the tolerance of " +
                      ShortestNumber(result.tolerance * 100, decimalSeparator) + " %");
  }
  if (!result.shortRecords.empty()) {
    reasons.push_back(Count(result.shortRecords.size(), "record") + " shorter than " +
                      ShortestNumber(result.minimumDuration, decimalSeparator) + " s (5 T1)");
  }
  if (result.tooFewReal) reasons.emplace_back("too few real records");
  if (result.setRule == SetRule::TooFew) {
    reasons.push_back("fewer than " + std::to_string(kLeastRecords) + " records");
  }
  return reasons;
}

std::string SetRuleText(SetRule rule) {
  switch (rule) {
    case SetRule::TooFew:
      return "fewer than " + std::to_string(kLeastRecords) + " records: not a set the code accepts";
    case SetRule::Envelope:
      return std::to_string(kLeastRecords) + " to " + std::to_string(kRecordsForMean - 1) +
             " records: use the envelope of the results";
    case SetRule::Mean:
      break;
  }
  return std::to_string(kRecordsForMean) + " or more records: the mean of the results may be used";
}

std::string ScaleWarningText(const CheckResult& result, std::string_view decimalSeparator) {
  if (result.scaleWarnings.empty()) return {};
  std::string names;
  for (const std::size_t r : result.scaleWarnings) {
    const RecordCheck& record = result.records[r];
    names.append(names.empty() ? "" : ", ")
        .append(record.name + " (" + Rounded(record.scaleFactor, decimalSeparator) + ")");
  }
  return Count(result.scaleWarnings.size(), "record") + " scaled outside " +
         ShortestNumber(result.scaleBand.low, decimalSeparator) + " to " +
         ShortestNumber(result.scaleBand.high, decimalSeparator) + ": " + names;
}
