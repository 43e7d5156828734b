// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/RecordChart.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The legend takes this share of the width, within these bounds (px).
constexpr double kLegendShare = 0.27;
constexpr int kLegendLeast = 110;
constexpr int kLegendMost = 200;
constexpr int kSwatchWidth = 28;
constexpr int kSwatchHeight = 12;

QIcon Swatch(const ChartSeries& series) {
  QPixmap pixmap(kSwatchWidth, kSwatchHeight);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const Rgb rgb = series.Color();
  QPen pen(QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF),
           std::max(1, series.Style().width), series.Style().dashed ? Qt::DashLine : Qt::SolidLine);
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  painter.drawLine(0, kSwatchHeight / 2, kSwatchWidth, kSwatchHeight / 2);
  return QIcon(pixmap);
}

}  // namespace

RecordChart::RecordChart(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette back = palette();
  back.setColor(QPalette::Window, Qt::white);
  setPalette(back);
  content_.saTitle = QStringLiteral("Pseudo-spectral acceleration, PSA (g)");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 4, 4);
  row->addStretch(1);
  auto* side = new QVBoxLayout;
  lstLegend = new QListWidget(this);
  lstLegend->setFixedWidth(kLegendLeast);
  lstLegend->setIconSize(QSize(kSwatchWidth, kSwatchHeight));
  lstLegend->setUniformItemSizes(true);
  lstLegend->setSpacing(0);
  lstLegend->setSelectionMode(QAbstractItemView::NoSelection);
  lstLegend->setToolTip(QStringLiteral("Tick a line to show it, clear it to hide it."));
  chkLogPeriod = new QCheckBox(QStringLiteral("Logarithmic T"), this);
  chkLogSa = new QCheckBox(QStringLiteral("Logarithmic Sa"), this);
  side->addWidget(lstLegend, 1);
  side->addWidget(chkLogPeriod);
  side->addWidget(chkLogSa);
  row->addLayout(side);
  connect(lstLegend, &QListWidget::itemChanged, this, &RecordChart::OnLegendChanged);
  connect(chkLogPeriod, &QCheckBox::toggled, this, [this](bool on) {
    content_.logPeriod = on;
    update();
  });
  connect(chkLogSa, &QCheckBox::toggled, this, [this](bool on) {
    content_.logSa = on;
    update();
  });
}

void RecordChart::SetContent(std::vector<ChartSeries> series, std::vector<double> markers) {
  for (ChartSeries& line : series) {
    line.SetActive(std::find(hidden_.begin(), hidden_.end(), line.Title()) == hidden_.end());
  }
  content_.series = std::move(series);
  content_.markers = std::move(markers);
  FillLegend();
  update();
}

void RecordChart::SetSeriesShown(int index, bool shown) {
  if (index < 0 || index >= lstLegend->count()) return;
  lstLegend->item(index)->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

void RecordChart::FillLegend() {
  filling_ = true;
  lstLegend->clear();
  for (const ChartSeries& series : content_.series) {
    auto* item = new QListWidgetItem(Swatch(series), QString::fromStdString(series.Title()));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(series.Active() ? Qt::Checked : Qt::Unchecked);
    item->setToolTip(item->text());
    lstLegend->addItem(item);
  }
  filling_ = false;
}

void RecordChart::OnLegendChanged(QListWidgetItem* item) {
  if (filling_) return;
  const int index = lstLegend->row(item);
  if (index < 0 || index >= SeriesCount()) return;
  ChartSeries& series = content_.series[index];
  const bool shown = item->checkState() == Qt::Checked;
  series.SetActive(shown);
  std::erase(hidden_, series.Title());
  if (!shown) hidden_.push_back(series.Title());
  update();
}

QRectF RecordChart::PlotArea() const {
  const QRectF area(0, 0, lstLegend->geometry().left() - 6, height());
  return SpectraPlot::PlotRect(area.adjusted(6, 4, 0, 0), font());
}

void RecordChart::resizeEvent(QResizeEvent* event) {
  lstLegend->setFixedWidth(
      std::clamp(static_cast<int>(width() * kLegendShare), kLegendLeast, kLegendMost));
  QWidget::resizeEvent(event);
}

QImage RecordChart::RenderImage() { return grab().toImage(); }

void RecordChart::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRectF area(0, 0, lstLegend->geometry().left() - 6, height());
  SpectraPlot::Paint(painter, area.adjusted(6, 4, 0, 0), content_, font());
}

void RecordChart::SetDecimalSeparator(const std::string& separator) {
  content_.decimalSeparator = separator;
  update();
}
