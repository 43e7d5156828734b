// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CheckText.h"

#include "cli/TextTable.h"
#include "model/NumberText.h"
#include "records/CheckTableText.h"

namespace {

const char* Kind(bool real) { return real ? "real" : "artificial"; }
const char* Verdict(bool passes) { return passes ? "pass" : "fail"; }
const char* Length(bool tooShort) { return tooShort ? "too short" : "long enough"; }

std::string Fixed(double value, NumberPattern pattern = NumberPattern::SixDecimals) {
  return FormatPattern(pattern, value, ".");
}

// With a "+" above the design value; none where the rounded text is zero.
std::string Deviation(double percent) {
  const std::string text = Fixed(percent, NumberPattern::TwoDecimals);
  const bool zero = text.find_first_of("123456789") == std::string::npos;
  return (percent > 0 && !zero ? "+" : "") + text;
}

// "1 record", "2 records".
std::string Count(std::size_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string Label(std::size_t index) {
  // Appending to a string of its own keeps GCC 12's -Wrestrict false alarm on "R" + string away.
  std::string label = "R";
  label.append(std::to_string(index + 1));
  return label;
}

void AppendRecords(std::string& text, const CheckReport& report) {
  const CheckResult& result = report.result;
  text.append("Records (an effective duration of at least " +
              Fixed(result.minimumDuration, NumberPattern::TwoDecimals) + " s, 5 T1; scale " +
              FormatGeneral(result.scaleBand.low, ".") + " to " +
              FormatGeneral(result.scaleBand.high, ".") + "):\n");
  TextTable table({"", "Kind", "PGA(g)", "Scale", "Band", "Effective(s)", "Duration", "File"},
                  {false, false, true, true, false, true, false, false});
  for (std::size_t r = 0; r < result.records.size(); ++r) {
    const RecordCheck& record = result.records[r];
    table.AddRow({Label(r), Kind(record.real), Fixed(record.peakAcceleration),
                  Fixed(record.scaleFactor), record.scaleOutsideBand ? "outside" : "within",
                  Fixed(record.effectiveDuration, NumberPattern::TwoDecimals),
                  Length(record.tooShort), record.name});
  }
  table.AppendTo(text);
}

void AppendPeriods(std::string& text, const CheckReport& report) {
  const CheckResult& result = report.result;
  text.append("Periods (scaled PSA against the design spectrum's Sa):\n");
  std::vector<std::string> heading{"T(s)"};
  std::vector<bool> right{true};
  for (std::size_t r = 0; r < result.records.size(); ++r) {
    heading.push_back(Label(r) + "(g)");
    right.push_back(true);
  }
  heading.insert(heading.end(), {"Mean(g)", "Design(g)", "Deviation(%)", "Result"});
  right.insert(right.end(), {true, true, true, false});
  TextTable table(std::move(heading), std::move(right));
  for (const PeriodCheck& period : result.periods) {
    std::vector<std::string> row{FormatGeneral(period.period, ".")};
    for (const double psa : period.psa) row.push_back(Fixed(psa));
    row.insert(row.end(), {Fixed(period.mean), Fixed(period.design),
                           Deviation(period.deviationPercent), Verdict(period.passes)});
    table.AddRow(std::move(row));
  }
  table.AppendTo(text);
}

}  // namespace

std::string BuildCheckText(const CheckReport& report) {
  const DesignSpectrum& design = *report.design;
  const CheckResult& result = report.result;
  std::string text;
  text.append("Design spectrum: " + design.GetCodeName() + ", AlphaMax " +
              FormatGeneral(design.alphaMax, ".") + " g, Tg " + FormatGeneral(design.tg, ".") +
              " s, damping ratio " + FormatGeneral(design.damping, ".") + "\n");
  text.append("Scaling: " + report.scaling + "\n");
  text.append("Tolerance: " + FormatGeneral(result.tolerance * 100, ".") +
              " % of the design value\n");
  text.append("T1: " + FormatGeneral(result.fundamentalPeriod, ".") +
              " s, the longest main period\n\n");
  AppendRecords(text, report);
  text.push_back('\n');
  AppendPeriods(text, report);
  text.push_back('\n');
  if (!result.scaleWarnings.empty()) {
    text.append("Warning: " + ScaleWarningText(result, ".") + "\n");
  }
  text.append("Set: " + Count(result.records.size(), "record") + ", " +
              std::to_string(result.realCount) + " real, " +
              std::to_string(result.artificialCount) + " artificial: real records " +
              (result.tooFewReal ? "fewer than" : "at least") + " two thirds; " +
              SetRuleText(result.setRule) + "\n");
  std::string reasons;
  for (const std::string& reason : CheckFailureReasons(result, ".")) {
    reasons.append(reasons.empty() ? "" : "; ").append(reason);
  }
  text.append(result.passes ? "Result: the set passes\n"
                            : "Result: the set does not pass (" + reasons + ")\n");
  return text;
}
