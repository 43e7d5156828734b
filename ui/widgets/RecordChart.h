// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "chart/rules/ChartSeries.h"
#include "ui/widgets/SpectraPlot.h"

class QCheckBox;
class QListWidget;
class QListWidgetItem;

// The records window's chart: the plot on the left and, beside it, a legend that never covers
// a line and lists every series (scrolling when there are many); ticking an entry shows or
// hides its line. Either axis can be made logarithmic. Names are plain text.
class RecordChart : public QWidget {
  Q_OBJECT

 public:
  explicit RecordChart(QWidget* parent = nullptr);

  // Replaces the lines and the marked periods. A line hidden before stays hidden while a line
  // of the same title is given again.
  void SetContent(std::vector<ChartSeries> series, std::vector<double> markers);

  int SeriesCount() const { return static_cast<int>(content_.series.size()); }
  // Throws std::out_of_range for a bad index.
  const ChartSeries& Series(int index) const { return content_.series.at(index); }
  void SetSeriesShown(int index, bool shown);
  // The decimal separator of the tick labels (at first ".").
  void SetDecimalSeparator(const std::string& separator);
  // What the plot shows now, with the lines hidden and the axes chosen.
  const SpectraPlotContent& Content() const { return content_; }
  // Where the lines are drawn, in this widget's coordinates.
  QRectF PlotArea() const;
  // The chart and its legend as they stand, at the widget's size.
  QImage RenderImage();

  QListWidget* lstLegend = nullptr;
  QCheckBox* chkLogPeriod = nullptr;
  QCheckBox* chkLogSa = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FillLegend();
  void OnLegendChanged(QListWidgetItem* item);

  SpectraPlotContent content_;
  std::vector<std::string> hidden_;  // titles of the lines the user hid
  bool filling_ = false;
};
