// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChartView>
#include <QImage>
#include <QPointF>
#include <optional>
#include <string>
#include <vector>

#include "chart/rules/ChartSeries.h"
#include "chart/rules/LeftAxisSettings.h"
#include "chart/rules/PlotRanges.h"
#include "chart/rules/SeriesList.h"
#include "chart/rules/ZoomState.h"
#include "chart/widget/ZoomAnimator.h"

class ChartLegendItem;
class DesignSpectrum;
class SeriesLinesItem;
class ValueLabelAxis;

// The response chart: one line per spectrum, Sa in g over the period T in s, with a legend of
// the shown lines over the plot, rubber-band zoom (left drag), panning (right drag) and a hint.
// Qt Charts lays out and draws the axes; the series list, the zoom state, the lines and the
// legend are this class's own.
class ResponseChartView : public QChartView {
  Q_OBJECT
  Q_PROPERTY(int Tag READ Tag)

 public:
  static constexpr int kZoomSteps = 8;

  explicit ResponseChartView(QWidget* parent = nullptr);
  ~ResponseChartView() override;

  // Appends a shown series titled with the spectrum's name, in the next free palette colour,
  // with Sa on the fine period grid; filling stops at the first period GetSa refuses.
  void AddSpectrumSeries(const DesignSpectrum& spectrum);
  // Appends a shown series of any points in ascending x, in the next free palette colour.
  void AddSeries(std::string title, std::vector<ChartPoint> points, LineStyle style = {});
  // A series for ReplaceAllSeries: in the next free palette colour unless it has its own.
  struct NewSeries {
    std::string title;
    std::vector<ChartPoint> points;
    LineStyle style;
    std::optional<Rgb> color;
  };
  // Replaces every series at once, with one update of the axes and the legend however many
  // series there are.
  void ReplaceAllSeries(std::vector<NewSeries> series);

  int SeriesCount() const;
  // Valid until the next series is added or removed; throws std::out_of_range for a bad index.
  const ChartSeries& Series(int index) const;
  void RemoveSeries(int index);  // a bad index changes nothing
  void RemoveAllSeries();
  void SetSeriesActive(int index, bool active);

  // Left axis from 0 upwards, labels stepped from 0.0025 by doubling.
  void SetupLeftAxis();
  // Titles of the bottom and the left axis, shown as plain text.
  void SetAxisTitles(const QString& bottom, const QString& left);
  // Writes the axis labels again with this decimal separator (at first ".").
  void RefreshLabels(const std::string& decimalSeparator);

  // Where the chart is: docked in the main window (Tag 0) or out in the graph panel (Tag 1).
  // Sets the Tag and the hint that says what a double click does from there.
  void SetPoppedOut(bool out);
  int Tag() const { return tag_; }

  // The chart as it stands, at the widget's size.
  QImage RenderImage();

  // The ranges the axes show now.
  PlotRanges AxisRanges() const { return shown_; }

 signals:
  void doubleClicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void drawForeground(QPainter* painter, const QRectF& rect) override;

 private:
  enum class Drag { None, Band, Pan };

  void SetUpChart();
  void SetUpAxis(ValueLabelAxis* axis, const QString& title, Qt::Alignment alignment);
  void SetUpLines();
  void SetUpLegend();
  void ApplyMargins();
  void SeriesChanged();
  void SyncLegend();
  void PlaceLegend();
  void UpdateAxes();
  void ApplyRanges(const PlotRanges& ranges);
  void UpdateAxisLabels();
  void OnPlotAreaChanged();
  QPointF ToChart(const QPointF& viewportPos) const;
  QRect BandRect() const;
  void FinishBand(const QPointF& releasePos);

  SeriesList series_;
  LeftAxisSettings leftAxis_;
  ZoomState zoom_;
  ZoomAnimator animator_;
  PlotRanges shown_;
  ValueLabelAxis* axisX_ = nullptr;
  ValueLabelAxis* axisY_ = nullptr;
  SeriesLinesItem* lines_ = nullptr;
  ChartLegendItem* legend_ = nullptr;
  int tag_ = 0;

  Drag drag_ = Drag::None;
  QPointF dragStart_;
  QPointF dragEnd_;
  PlotRanges panStartRanges_;
};
