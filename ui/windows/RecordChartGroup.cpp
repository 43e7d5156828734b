// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/RecordChartGroup.h"

#include <QVBoxLayout>
#include <string>

#include "model/NumberText.h"
#include "records/ResponseSpectrum.h"
#include "ui/widgets/RecordChart.h"

namespace {

constexpr Rgb kDesignColour = 0xE00000;
constexpr Rgb kMeanColour = 0x000000;
constexpr LineStyle kDesignLine{3, false};
constexpr LineStyle kBandLine{1, true};
constexpr LineStyle kMeanLine{3, false};
constexpr LineStyle kRecordLine{1, false};
// Records in colours well apart from the design spectrum's red and the mean's black.
constexpr Rgb kRecordColours[] = {0x1F77B4, 0x2CA02C, 0x9467BD, 0x4B6C8C, 0x17BECF,
                                  0xBCBD22, 0x7F7F7F, 0x393B79, 0x637939, 0x3182BD,
                                  0x31A354, 0x756BB1, 0x8C6D31, 0x6BAED6, 0x74C476,
                                  0x9E9AC8, 0xE7BA52, 0x17A589, 0x5B2C6F, 0x1B4F72};

std::vector<ChartPoint> Points(const std::vector<double>& x, const std::vector<double>& y) {
  std::vector<ChartPoint> points;
  points.reserve(y.size());
  for (std::size_t i = 0; i < y.size() && i < x.size(); ++i) points.push_back({x[i], y[i]});
  return points;
}

std::vector<double> Times(const std::vector<double>& values, double factor) {
  std::vector<double> scaled = values;
  for (double& value : scaled) value *= factor;
  return scaled;
}

}  // namespace

namespace {

const QString kTitle = QStringLiteral("Scaled Response Spectra");

}  // namespace

RecordChartGroup::RecordChartGroup(QWidget* parent) : QGroupBox(kTitle, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  chtRecords = new RecordChart(this);
  chtRecords->setMinimumSize(420, 220);
  layout->addWidget(chtRecords);
}

std::vector<ChartSeries> RecordChartGroup::Lines(const DesignSpectrum* design,
                                                 const std::vector<double>& designSa,
                                                 double tolerance, const std::string& separator,
                                                 const RecordSet& records) {
  std::vector<ChartSeries> series;
  const std::vector<double> periods = DefaultPeriods();
  if (design != nullptr) {
    const std::string percent = FormatGeneral(tolerance * 100, separator) + " %";
    series.emplace_back(design->name, kDesignColour, Points(periods, designSa), kDesignLine);
    series.emplace_back("+" + percent, kDesignColour,
                        Points(periods, Times(designSa, 1 + tolerance)), kBandLine);
    series.emplace_back("-" + percent, kDesignColour,
                        Points(periods, Times(designSa, 1 - tolerance)), kBandLine);
  }
  if (!records.Empty() && records.AllComputed()) {
    series.emplace_back("Mean", kMeanColour, Points(periods, records.MeanPsa()), kMeanLine);
  }
  std::size_t index = 0;
  for (const RecordEntry& entry : records.Entries()) {
    const Rgb colour = kRecordColours[index++ % std::size(kRecordColours)];
    if (!entry.spectrum) continue;
    series.emplace_back(entry.motion->name, colour,
                        Points(entry.spectrum->periods, RecordSet::ScaledPsa(entry)), kRecordLine);
  }
  return series;
}

void RecordChartGroup::Show(const DesignSpectrum* design, const std::vector<double>& designSa,
                            double tolerance, const std::string& separator,
                            const RecordSet& records, const std::vector<double>& mainPeriods) {
  chtRecords->SetContent(Lines(design, designSa, tolerance, separator, records), mainPeriods);
}

void RecordChartGroup::ShowStale(bool stale) {
  setTitle(stale ? kTitle + QStringLiteral(" (of the settings before the last edit)") : kTitle);
}
