// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/RecordChartGroup.h"

#include <QVBoxLayout>
#include <string>

#include "chart/widget/ResponseChartView.h"
#include "model/NumberText.h"
#include "records/ResponseSpectrum.h"

namespace {

constexpr Rgb kDesignColour = 0xE00000;
constexpr Rgb kMeanColour = 0x000000;
constexpr LineStyle kDesignLine{3, false};
constexpr LineStyle kBandLine{1, true};
constexpr LineStyle kMeanLine{3, false};
constexpr LineStyle kRecordLine{1, false};

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
  chtRecords = new ResponseChartView(this);
  chtRecords->setToolTip(QString());
  chtRecords->SetAxisTitles(QStringLiteral("Period, T(s)"),
                            QStringLiteral("Pseudo-Spectral Acceleration, PSA (g)"));
  chtRecords->SetupLeftAxis();
  chtRecords->setMinimumSize(320, 220);
  layout->addWidget(chtRecords);
}

void RecordChartGroup::Show(const DesignSpectrum* design, const std::vector<double>& designSa,
                            double tolerance, const std::string& separator,
                            const RecordSet& records) {
  std::vector<ResponseChartView::NewSeries> series;
  const std::vector<double> periods = DefaultPeriods();
  if (design != nullptr) {
    const std::string percent = FormatGeneral(tolerance * 100, separator) + " %";
    series.push_back({design->name, Points(periods, designSa), kDesignLine, kDesignColour});
    series.push_back(
        {"+" + percent, Points(periods, Times(designSa, 1 + tolerance)), kBandLine, kDesignColour});
    series.push_back(
        {"-" + percent, Points(periods, Times(designSa, 1 - tolerance)), kBandLine, kDesignColour});
  }
  if (!records.Empty() && records.AllComputed()) {
    series.push_back({"Mean", Points(periods, records.MeanPsa()), kMeanLine, kMeanColour});
  }
  for (const RecordEntry& entry : records.Entries()) {
    if (!entry.spectrum) continue;
    series.push_back({entry.motion->name,
                      Points(entry.spectrum->periods, RecordSet::ScaledPsa(entry)),
                      kRecordLine,
                      {}});
  }
  chtRecords->ReplaceAllSeries(std::move(series));
}

void RecordChartGroup::ShowStale(bool stale) {
  setTitle(stale ? kTitle + QStringLiteral(" (of the settings before the last edit)") : kTitle);
}
