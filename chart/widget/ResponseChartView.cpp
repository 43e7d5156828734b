#include "chart/widget/ResponseChartView.h"

#include <QGraphicsLayout>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/rules/AutomaticRanges.h"
#include "chart/rules/AxisLabelText.h"
#include "chart/rules/LabelSteps.h"
#include "chart/rules/LegendEntries.h"
#include "chart/rules/PlotMapping.h"
#include "chart/widget/ChartLegendItem.h"
#include "chart/widget/SeriesLinesItem.h"
#include "chart/widget/ValueLabelAxis.h"
#include "model/DesignSpectrum.h"
#include "model/NumberText.h"
#include "model/SpectrumSampling.h"

namespace {

const QString kDockedHint = QStringLiteral("Double click to Poup the Graph Panel.");
const QString kPoppedOutHint = QStringLiteral("Double click to restore the Graph Panel.");
const QString kBottomTitle = QStringLiteral("Period, T(s)");
const QString kLeftTitle = QStringLiteral("Spectral Accleration,Sa (g)");

constexpr double kMarginTop = 0.05;
constexpr double kMarginLeft = 0.03;
constexpr double kMarginRight = 0.03;
constexpr double kMarginBottom = 0.04;
constexpr int kBorder = 1;
constexpr double kLeftStartIncrement = 0.0025;
constexpr int kZoomIntervalMs = 15;
constexpr Rgb kZoomPen = 0xFF80FF;
constexpr int kZoomPenWidth = 2;
// Qt Charts measures a label as a text item with a half-pixel document margin. It gives each
// label an equal share of the axis length, counting one share more than there are labels, less
// 4 px of padding on both sides, and shows a label that does not fit its share as "...".
constexpr double kQtTextMargin = 0.5;
constexpr double kQtLabelPadding = 4;
const QString kLabelSample = QStringLiteral("0.000");
// The bottom axis steps by 1, 2 or 5 times a power of ten, never finer than 0.001.
constexpr int kBottomDecimals = 3;
constexpr qreal kLinesZ = 500;    // above the grid and the axes
constexpr qreal kLegendZ = 1000;  // above the lines
constexpr qreal kChartFontPoints = 8;
constexpr int kLayoutPasses = 4;
constexpr QSize kMinimumSize(200, 120);

// The size Qt Charts reckons for a label text.
QSizeF LabelBox(const QFont& font, const QString& text) {
  QGraphicsTextItem item;
  item.document()->setDocumentMargin(kQtTextMargin);
  item.setFont(font);
  item.setHtml(text.toHtmlEscaped());
  return item.boundingRect().size();
}

// The length over which labels of `spacing` may count one per label: Qt's extra share comes
// off first. The plot's side stands for the axis length, which Qt reckons at least as long, so
// a step that fits here fits Qt.
double SlotRoom(double plotLength, double spacing) { return plotLength - spacing; }

QColor ToQColor(Rgb rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

Rgb ToRgb(const QColor& color) { return static_cast<Rgb>(color.rgb() & 0xFFFFFFu); }

// Axis and legend texts are kept small enough for the axis title to fit the docked chart.
QFont ChartFont(QFont font) {
  if (font.pointSizeF() > kChartFontPoints) font.setPointSizeF(kChartFontPoints);
  return font;
}

QFont Bold(QFont font) {
  font.setBold(true);
  return font;
}

}  // namespace

ResponseChartView::ResponseChartView(QWidget* parent)
    : QChartView(parent),
      // The plot area has no wall of its own, so the wall is the background.
      series_(ToRgb(palette().color(QPalette::Button)), ToRgb(palette().color(QPalette::Button))),
      animator_(kZoomSteps, kZoomIntervalMs,
                [this](const PlotRanges& frame) { ApplyRanges(frame); }) {
  SetPoppedOut(false);
  // Below this Qt Charts squeezes the axes until their labels read "...".
  setMinimumSize(kMinimumSize);
  setRubberBand(QChartView::NoRubberBand);
  setFrameShape(QFrame::NoFrame);
  setDragMode(QGraphicsView::NoDrag);
  setBackgroundBrush(palette().color(QPalette::Button));
  SetUpChart();
  UpdateAxes();
}

ResponseChartView::~ResponseChartView() {
  // The base class tears the chart down after this object's members are gone: nothing in it
  // may still point at them.
  animator_.Stop();
  chart()->disconnect(this);
  delete lines_;
  delete legend_;
}

void ResponseChartView::SetUpChart() {
  QChart* c = chart();
  c->setAnimationOptions(QChart::NoAnimation);
  c->setBackgroundRoundness(0);
  c->setDropShadowEnabled(false);
  c->setBackgroundBrush(palette().color(QPalette::Button));
  c->setBackgroundPen(Qt::NoPen);
  c->setPlotAreaBackgroundVisible(false);
  c->layout()->setContentsMargins(kBorder, kBorder, kBorder, kBorder);

  axisX_ = new ValueLabelAxis(c);
  axisY_ = new ValueLabelAxis(c);
  SetUpAxis(axisX_, kBottomTitle, Qt::AlignBottom);
  SetUpAxis(axisY_, kLeftTitle, Qt::AlignLeft);
  SetUpLines();
  SetUpLegend();

  connect(c, &QChart::plotAreaChanged, this, [this] { OnPlotAreaChanged(); });
}

void ResponseChartView::SetUpAxis(ValueLabelAxis* axis, const QString& title,
                                  Qt::Alignment alignment) {
  chart()->addAxis(axis, alignment);
  // Styled after addAxis, which applies the theme.
  axis->setTitleText(title.toHtmlEscaped());
  axis->setTitleFont(Bold(ChartFont(font())));
  axis->setLabelsFont(ChartFont(font()));
  axis->setTitleBrush(Qt::black);
  axis->setLabelsBrush(Qt::black);
  axis->setLinePen(QPen(Qt::black, 1));
  axis->setGridLinePen(QPen(QColor(0xC8, 0xC8, 0xC8), 1, Qt::DotLine));
  axis->setMinorGridLineVisible(false);
}

void ResponseChartView::SetUpLines() {
  lines_ = new SeriesLinesItem(series_, chart());
  lines_->setZValue(kLinesZ);
}

void ResponseChartView::SetUpLegend() {
  // Qt's legend cannot lie over the plot at a size of its own; it stays hidden and the chart
  // draws its own.
  chart()->legend()->hide();
  legend_ = new ChartLegendItem(Bold(ChartFont(font())), chart());
  legend_->setZValue(kLegendZ);
  legend_->setVisible(false);
}

void ResponseChartView::AddSpectrumSeries(const DesignSpectrum& spectrum) {
  const std::vector<double> sa = SampleSpectrum(spectrum, FinePeriodCount(), FinePeriod);
  std::vector<ChartPoint> points;
  points.reserve(sa.size());
  for (std::size_t i = 0; i < sa.size(); ++i)
    points.push_back({FinePeriod(static_cast<std::int32_t>(i)), sa[i]});
  AddSeries(spectrum.name, std::move(points));
}

void ResponseChartView::AddSeries(std::string title, std::vector<ChartPoint> points,
                                  LineStyle style) {
  series_.Append(std::move(title), std::move(points), style);
  SeriesChanged();
}

void ResponseChartView::ReplaceAllSeries(std::vector<NewSeries> series) {
  while (series_.Count() > 0) series_.Remove(0);
  for (NewSeries& one : series) {
    if (one.color) {
      series_.Append(std::move(one.title), std::move(one.points), *one.color, one.style);
    } else {
      series_.Append(std::move(one.title), std::move(one.points), one.style);
    }
  }
  SeriesChanged();
}

int ResponseChartView::SeriesCount() const { return static_cast<int>(series_.Count()); }

const ChartSeries& ResponseChartView::Series(int index) const {
  return series_.At(static_cast<std::size_t>(index));
}

void ResponseChartView::RemoveSeries(int index) {
  if (index < 0 || index >= SeriesCount()) return;
  series_.Remove(static_cast<std::size_t>(index));
  SeriesChanged();
}

void ResponseChartView::RemoveAllSeries() {
  if (SeriesCount() == 0) return;
  while (SeriesCount() > 0) series_.Remove(0);
  SeriesChanged();
}

void ResponseChartView::SetSeriesActive(int index, bool active) {
  if (index < 0 || index >= SeriesCount()) return;
  if (series_.SetActive(static_cast<std::size_t>(index), active)) SeriesChanged();
}

void ResponseChartView::SetupLeftAxis() {
  leftAxis_.automaticMinimum = false;
  leftAxis_.minimum = 0;
  leftAxis_.desiredIncrement = kLeftStartIncrement;
  UpdateAxes();
}

void ResponseChartView::SetPoppedOut(bool out) {
  setToolTip(out ? kPoppedOutHint : kDockedHint);
  tag_ = out ? 1 : 0;
}

void ResponseChartView::SetAxisTitles(const QString& bottom, const QString& left) {
  axisX_->setTitleText(bottom.toHtmlEscaped());
  axisY_->setTitleText(left.toHtmlEscaped());
}

void ResponseChartView::RefreshLabels() {
  axisX_->RefreshTexts();
  axisY_->RefreshTexts();
}

void ResponseChartView::SeriesChanged() {
  UpdateAxes();
  SyncLegend();
  lines_->update();
}

void ResponseChartView::SyncLegend() { legend_->SetEntries(LegendEntries(series_)); }

void ResponseChartView::PlaceLegend() { legend_->Place(chart()->plotArea()); }

void ResponseChartView::UpdateAxes() {
  // An animation ends on the zoomed ranges, which no change of data moves.
  if (animator_.Running()) return;
  ApplyRanges(zoom_.Effective(AutomaticRanges(series_, leftAxis_)));
}

void ResponseChartView::ApplyRanges(const PlotRanges& ranges) {
  shown_ = ranges;
  if (axisX_->min() != ranges.x.min || axisX_->max() != ranges.x.max) {
    axisX_->setRange(ranges.x.min, ranges.x.max);
  }
  if (axisY_->min() != ranges.y.min || axisY_->max() != ranges.y.max) {
    axisY_->setRange(ranges.y.min, ranges.y.max);
  }
  UpdateAxisLabels();
  lines_->SetView(chart()->plotArea(), shown_);
}

void ResponseChartView::UpdateAxisLabels() {
  const QRectF plot = chart()->plotArea();

  const double leftSpacing =
      LabelBox(axisY_->labelsFont(), kLabelSample).height() + 2 * kQtLabelPadding;
  const double leftStep = DoublingLabelStep(shown_.y, leftAxis_.desiredIncrement,
                                            SlotRoom(plot.height(), leftSpacing), leftSpacing);
  axisY_->ShowLabels(LabelValues(shown_.y, leftStep), LabelDecimals(leftStep));

  // The widest text the bottom axis can show: its ends with the three decimals of its steps.
  const QFont bottomFont = axisX_->labelsFont();
  double widest = LabelBox(bottomFont, kLabelSample).width();
  for (double end : {shown_.x.min, shown_.x.max}) {
    const QString whole = QString::fromStdString(AxisLabelText(std::trunc(end), 0));
    widest = std::max(widest, LabelBox(bottomFont, whole + QStringLiteral(".000")).width());
  }
  const double bottomSpacing = widest + 2 * kQtLabelPadding;
  const double bottomStep =
      NiceLabelStep(shown_.x, SlotRoom(plot.width(), bottomSpacing), bottomSpacing);
  axisX_->ShowLabels(LabelValues(shown_.x, bottomStep), kBottomDecimals);
}

void ResponseChartView::OnPlotAreaChanged() {
  UpdateAxisLabels();
  lines_->SetView(chart()->plotArea(), shown_);
  PlaceLegend();
}

QImage ResponseChartView::RenderImage() {
  // A view that was never shown has not passed its size on to the chart yet.
  if (chart()->size().toSize() != size()) {
    ApplyMargins();
    chart()->resize(size());
    setSceneRect(chart()->geometry());
  }
  // Lay out what the last changes invalidated, as the event loop would before painting; new
  // labels after a layout can ask for one more.
  QGraphicsLayout* layout = chart()->layout();
  for (int pass = 0; pass < kLayoutPasses && !layout->isActivated(); ++pass) layout->activate();
  return grab().toImage();
}

void ResponseChartView::resizeEvent(QResizeEvent* event) {
  ApplyMargins();
  QChartView::resizeEvent(event);
}

void ResponseChartView::ApplyMargins() {
  const auto part = [](int length, double fraction) {
    return static_cast<int>(std::lround(length * fraction));
  };
  chart()->setMargins(QMargins(part(width(), kMarginLeft), part(height(), kMarginTop),
                               part(width(), kMarginRight), part(height(), kMarginBottom)));
}

// Presses are handled here entirely: QChartView::mousePressEvent crashes in Qt 6.4 when no
// chart item lies under the cursor.
void ResponseChartView::mousePressEvent(QMouseEvent* event) {
  if (drag_ != Drag::None) return;
  if (event->button() == Qt::LeftButton) {
    drag_ = Drag::Band;
    dragStart_ = dragEnd_ = event->position();
  } else if (event->button() == Qt::RightButton) {
    animator_.Finish();
    drag_ = Drag::Pan;
    dragStart_ = event->position();
    panStartRanges_ = shown_;
  }
  event->accept();
}

void ResponseChartView::mouseMoveEvent(QMouseEvent* event) {
  if (drag_ == Drag::Band) {
    const QRect before = BandRect();
    dragEnd_ = event->position();
    viewport()->update(before.united(BandRect()));
  } else if (drag_ == Drag::Pan) {
    const QRectF plot = chart()->plotArea();
    const PlotMapping mapping({plot.left(), plot.top(), plot.width(), plot.height()},
                              panStartRanges_);
    const QPointF moved = event->position() - dragStart_;
    if (!mapping.Valid() || moved.isNull()) return;
    const PlotRanges panned = mapping.Panned(moved.x(), moved.y());
    zoom_.ZoomTo(panned);
    ApplyRanges(panned);
  }
  event->accept();
}

void ResponseChartView::mouseReleaseEvent(QMouseEvent* event) {
  if (drag_ == Drag::Band && event->button() == Qt::LeftButton) {
    FinishBand(event->position());
  } else if (drag_ == Drag::Pan && event->button() == Qt::RightButton) {
    drag_ = Drag::None;
  }
  event->accept();
}

void ResponseChartView::FinishBand(const QPointF& releasePos) {
  viewport()->update(BandRect());
  drag_ = Drag::None;
  dragEnd_ = releasePos;
  const QPointF moved = dragEnd_ - dragStart_;
  switch (ZoomState::Classify(static_cast<int>(std::lround(moved.x())),
                              static_cast<int>(std::lround(moved.y())))) {
    case DragAction::None:
      return;
    case DragAction::Zoom: {
      const QRectF plot = chart()->plotArea();
      const PlotMapping mapping({plot.left(), plot.top(), plot.width(), plot.height()}, shown_);
      if (!mapping.Valid()) return;
      const QPointF a = ToChart(dragStart_);
      const QPointF b = ToChart(dragEnd_);
      const PlotRanges target = mapping.Selected(a.x(), a.y(), b.x(), b.y());
      zoom_.ZoomTo(target);
      animator_.Start(shown_, target);
      return;
    }
    case DragAction::Restore:
      animator_.Stop();
      zoom_.Restore();
      UpdateAxes();
      return;
  }
}

void ResponseChartView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (drag_ == Drag::Band) viewport()->update(BandRect());
  drag_ = Drag::None;
  event->accept();
  emit doubleClicked();
}

void ResponseChartView::wheelEvent(QWheelEvent* event) { event->accept(); }

QPointF ResponseChartView::ToChart(const QPointF& viewportPos) const {
  return chart()->mapFromScene(mapToScene(viewportPos.toPoint()));
}

QRect ResponseChartView::BandRect() const {
  // Viewport pixels the band's pen touches.
  const int reach = kZoomPenWidth + 1;
  return QRectF(dragStart_, dragEnd_)
      .normalized()
      .toAlignedRect()
      .adjusted(-reach, -reach, reach, reach);
}

void ResponseChartView::drawForeground(QPainter* painter, const QRectF& rect) {
  QChartView::drawForeground(painter, rect);
  if (drag_ != Drag::Band) return;
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setPen(QPen(ToQColor(kZoomPen), kZoomPenWidth, Qt::SolidLine));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(
      QRectF(mapToScene(dragStart_.toPoint()), mapToScene(dragEnd_.toPoint())).normalized());
  painter->restore();
}
