#include "cli/CheckText.h"

#include "cli/ShortestText.h"
#include "cli/TextTable.h"
#include "model/CsvText.h"
#include "model/NumberText.h"

namespace {

const char* Kind(bool real) { return real ? "real" : "artificial"; }
const char* Verdict(bool passes) { return passes ? "pass" : "fail"; }
const char* Length(bool tooShort) { return tooShort ? "too short" : "long enough"; }

std::string Fixed(double value, NumberPattern pattern = NumberPattern::SixDecimals) {
  return FormatPattern(pattern, value);
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
              Fixed(result.minimumDuration, NumberPattern::TwoDecimals) + " s, 5 T1):\n");
  TextTable table({"", "Kind", "PGA(g)", "Scale", "Effective(s)", "Duration", "File"},
                  {false, false, true, true, true, false, false});
  for (std::size_t r = 0; r < result.records.size(); ++r) {
    const RecordCheck& record = result.records[r];
    table.AddRow({Label(r), Kind(record.real), Fixed(report.records[r].peakAcceleration),
                  Fixed(report.records[r].scaleFactor),
                  Fixed(record.effectiveDuration, NumberPattern::TwoDecimals),
                  Length(record.tooShort), report.records[r].path});
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
    std::vector<std::string> row{FormatGeneral(period.period)};
    for (const double psa : period.psa) row.push_back(Fixed(psa));
    row.insert(row.end(), {Fixed(period.mean), Fixed(period.design),
                           Deviation(period.deviationPercent), Verdict(period.passes)});
    table.AddRow(std::move(row));
  }
  table.AppendTo(text);
}

std::string Reasons(const CheckResult& result) {
  std::size_t periods = 0;
  for (const PeriodCheck& period : result.periods) periods += period.passes ? 0 : 1;
  std::size_t short_ = 0;
  for (const RecordCheck& record : result.records) short_ += record.tooShort ? 1 : 0;
  std::string reasons;
  const auto add = [&reasons](const std::string& reason) {
    reasons.append(reasons.empty() ? "" : "; ").append(reason);
  };
  if (periods > 0) {
    add(std::to_string(periods) + " of " + Count(result.periods.size(), "period") +
        " outside the tolerance");
  }
  if (short_ > 0) add(Count(short_, "record") + " too short");
  if (result.tooFewReal) add("too few real records");
  return reasons;
}

}  // namespace

std::string BuildCheckText(const CheckReport& report) {
  const DesignSpectrum& design = *report.design;
  const CheckResult& result = report.result;
  std::string text;
  text.append("Design spectrum: " + design.GetCodeName() + ", AlphaMax " +
              FormatGeneral(design.alphaMax) + " g, Tg " + FormatGeneral(design.tg) +
              " s, damping ratio " + FormatGeneral(design.damping) + "\n");
  text.append("Scaling: " + report.scaling + "\n");
  text.append("Tolerance: " + FormatGeneral(report.tolerancePercent) +
              " % of the design value\n\n");
  AppendRecords(text, report);
  text.push_back('\n');
  AppendPeriods(text, report);
  text.append("\nSet: " + Count(result.records.size(), "record") + ", " +
              std::to_string(result.realCount) + " real, " +
              std::to_string(result.artificialCount) + " artificial: real records " +
              (result.tooFewReal ? "fewer than" : "at least") + " two thirds\n");
  text.append(result.passes ? "Result: the set passes\n"
                            : "Result: the set does not pass (" + Reasons(result) + ")\n");
  return text;
}

std::string BuildCheckCsvText(const CheckReport& report) {
  const CheckResult& result = report.result;
  std::string text = "T(s)";
  for (const CheckReport::Record& record : report.records) {
    text.push_back(',');
    AppendCsvField(text, record.path + " PSA(g)");
  }
  text.append(",Mean(g),Design(g),Deviation(%),Result\r\n");
  for (const PeriodCheck& period : result.periods) {
    AppendShortest(text, period.period);
    for (const double value : period.psa) {
      text.push_back(',');
      AppendShortest(text, value);
    }
    for (const double value : {period.mean, period.design, period.deviationPercent}) {
      text.push_back(',');
      AppendShortest(text, value);
    }
    text.append(",").append(Verdict(period.passes)).append("\r\n");
  }
  text.append(
      "\r\nFile,Kind,PGA(g),ScaleFactor,EffectiveDuration(s),MinimumDuration(s),"
      "Duration\r\n");
  for (std::size_t r = 0; r < result.records.size(); ++r) {
    const RecordCheck& record = result.records[r];
    AppendCsvField(text, report.records[r].path);
    text.append(",").append(Kind(record.real));
    for (const double value : {report.records[r].peakAcceleration, report.records[r].scaleFactor,
                               record.effectiveDuration, result.minimumDuration}) {
      text.push_back(',');
      AppendShortest(text, value);
    }
    text.append(",").append(Length(record.tooShort)).append("\r\n");
  }
  text.append("\r\nRecords,Real,Artificial,RealAtLeastTwoThirds,Result\r\n");
  text.append(std::to_string(result.records.size()) + "," + std::to_string(result.realCount) + "," +
              std::to_string(result.artificialCount) + "," + (result.tooFewReal ? "no" : "yes") +
              "," + Verdict(result.passes) + "\r\n");
  return text;
}
