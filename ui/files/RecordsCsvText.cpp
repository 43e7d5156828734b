// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/files/RecordsCsvText.h"

#include <string_view>

#include "model/CsvText.h"
#include "model/DesignSpectrum.h"
#include "model/NumberText.h"
#include "records/CheckTableText.h"
#include "records/CompatibilityCheck.h"
#include "records/CsvLine.h"
#include "records/RecordDescription.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void AppendRecords(std::string& out, const RecordsCsvContent& content, std::string_view separator) {
  CsvLine(out, separator)
      .Field("Record")
      .Field("Points")
      .Field("Step(s)")
      .Field("Duration(s)")
      .Field("PGA(g)")
      .Field("ScaleFactor")
      .Field("Kind")
      .Field("EffectiveDuration(s)")
      .Field("Event")
      .Field("Date")
      .Field("Station")
      .Field("Component");
  for (const RecordsCsvRecord& record : content.records) {
    const RecordDescription description = ParseRecordDescription(record.description);
    CsvLine(out, separator)
        .Field(record.name)
        .Field(std::to_string(record.points))
        .General(record.step)
        .Pattern(NumberPattern::TwoDecimals, record.duration)
        .Pattern(NumberPattern::Scientific, record.pga)
        .Pattern(NumberPattern::Scientific, record.scaleFactor)
        .Field(record.real ? "Real" : "Artificial")
        .Pattern(NumberPattern::TwoDecimals, record.effectiveDuration)
        .Field(description.event)
        .Field(description.date)
        .Field(description.station)
        .Field(description.component);
  }
}

void AppendSettings(std::string& out, const RecordsCsvContent& content,
                    std::string_view separator) {
  CsvLine(out, separator).Field("DampingRatio").General(content.damping);
  CsvLine line(out, separator);
  line.Field("TargetPGA(cm/s2)");
  if (content.targetGal) {
    line.General(*content.targetGal);
  } else {
    line.Field("None");
  }
}

// The check table, with the same columns as the command line's.
void AppendCheck(std::string& out, const RecordsCsvContent& content, std::string_view separator) {
  out.append(BuildCheckTableText(*content.design, *content.check, separator));
}

void AppendSpectra(std::string& out, const RecordsCsvContent& content, std::string_view separator) {
  const bool withDesign = content.design != nullptr;
  {
    CsvLine heading(out, separator);
    heading.Field("Period(s)");
    for (const RecordsCsvRecord& record : content.records) heading.Field(record.name);
    heading.Field("Mean");
    if (withDesign) {
      heading.Field(content.design->name).Field("Lower").Field("Upper");
    }
  }
  for (std::size_t i = 0; i < content.periods.size(); ++i) {
    const double period = content.periods[i];
    CsvLine line(out, separator);
    line.Pattern(NumberPattern::TwoDecimals, period);
    for (const RecordsCsvRecord& record : content.records)
      line.Pattern(NumberPattern::Scientific, record.psa.at(i));
    line.Pattern(NumberPattern::Scientific, content.mean.at(i));
    if (withDesign) {
      const double sa = content.designSa.at(i);
      line.Pattern(NumberPattern::Scientific, sa)
          .Pattern(NumberPattern::Scientific, sa * (1 - content.tolerance))
          .Pattern(NumberPattern::Scientific, sa * (1 + content.tolerance));
    }
  }
}

}  // namespace

std::string BuildRecordsCsvText(const RecordsCsvContent& content, std::string_view separator) {
  std::string out;
  AppendRecords(out, content, separator);
  out.append(kLineEnd);
  AppendSettings(out, content, separator);
  if (content.design != nullptr && content.check != nullptr) AppendCheck(out, content, separator);
  out.append(kLineEnd);
  AppendSpectra(out, content, separator);
  return out;
}
