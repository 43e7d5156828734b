// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/SpectraPlot.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

#include "model/NumberText.h"

namespace {

constexpr double kLogPeriodFloor = 0.01;  // s; the spectra start at 0, which a log axis cannot
constexpr double kLogSaSpan = 1e4;        // the log Sa axis reaches this far below its top
constexpr int kWantedTicks = 6;
const QColor kGridColour(0xD8, 0xD8, 0xD8);
const QColor kMarkerColour(0x30, 0x30, 0x30);

double NiceStep(double span) {
  const double raw = span / kWantedTicks;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= raw) return factor * power;
  }
  return 10 * power;
}

int DecimalsOf(double step) {
  return std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
}

QString TickText(double value, int decimals, const std::string& separator) {
  QString text = QString::number(value, 'f', decimals);
  if (text.startsWith('-') && QString::number(std::abs(value), 'f', decimals).toDouble() == 0) {
    text.remove(0, 1);
  }
  return text.replace('.', QString::fromStdString(separator));
}

struct Tick {
  double value;
  QString text;
};

std::vector<Tick> LinearTicks(double low, double high, const std::string& separator) {
  std::vector<Tick> ticks;
  if (!(high > low)) return ticks;
  const double step = NiceStep(high - low);
  const int decimals = DecimalsOf(step);
  for (double k = std::ceil(low / step - 1e-9); k * step <= high * (1 + 1e-12) + 1e-300; ++k) {
    ticks.push_back({k * step, TickText(k * step, decimals, separator)});
  }
  return ticks;
}

// 1, 2 and 5 in each decade; only 1 when the axis spans many decades.
std::vector<Tick> LogTicks(double low, double high, const std::string& separator) {
  std::vector<Tick> ticks;
  if (!(low > 0 && high > low)) return ticks;
  const int first = static_cast<int>(std::floor(std::log10(low)));
  const int last = static_cast<int>(std::ceil(std::log10(high)));
  const bool many = last - first > 3;
  for (int p = first; p <= last; ++p) {
    for (const int factor : {1, 2, 5}) {
      if (many && factor != 1) continue;
      const double value = factor * std::pow(10.0, p);
      if (value < low * (1 - 1e-9) || value > high * (1 + 1e-9)) continue;
      ticks.push_back({value, TickText(value, std::max(0, -p), separator)});
    }
  }
  return ticks;
}

class Mapping {
 public:
  Mapping(const QRectF& plot, const SpectraPlotRanges& r, bool logX, bool logY)
      : plot_(plot), r_(r), logX_(logX), logY_(logY) {}
  double X(double x) const {
    return plot_.left() + Fraction(x, r_.xMin, r_.xMax, logX_) * plot_.width();
  }
  double Y(double y) const {
    return plot_.bottom() - Fraction(y, r_.yMin, r_.yMax, logY_) * plot_.height();
  }
  bool Drawable(const ChartPoint& p) const { return (!logX_ || p.x > 0) && (!logY_ || p.y > 0); }

 private:
  static double Fraction(double v, double low, double high, bool log) {
    return log ? std::log(v / low) / std::log(high / low) : (v - low) / (high - low);
  }
  QRectF plot_;
  SpectraPlotRanges r_;
  bool logX_;
  bool logY_;
};

}  // namespace

SpectraPlotRanges SpectraPlot::Ranges(const SpectraPlotContent& content) {
  double xMin = std::numeric_limits<double>::infinity();
  double xMax = 0;
  double yMax = 0;
  double yMinPositive = std::numeric_limits<double>::infinity();
  for (const ChartSeries& series : content.series) {
    if (!series.Active()) continue;
    for (const ChartPoint& p : series.Points()) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
      xMin = std::min(xMin, content.logPeriod ? std::max(p.x, kLogPeriodFloor) : p.x);
      xMax = std::max(xMax, p.x);
      yMax = std::max(yMax, p.y);
      if (p.y > 0) yMinPositive = std::min(yMinPositive, p.y);
    }
  }
  for (const double marker : content.markers) xMax = std::max(xMax, marker);
  SpectraPlotRanges ranges;
  if (!(xMax > 0)) xMax = 6;
  ranges.xMax = xMax;
  ranges.xMin = content.logPeriod
                    ? std::min(std::isfinite(xMin) ? xMin : kLogPeriodFloor, xMax / 10)
                    : std::min(0.0, std::isfinite(xMin) ? xMin : 0.0);
  if (!(yMax > 0)) yMax = 1;
  if (content.logSa) {
    const double top = std::pow(10.0, std::ceil(std::log10(yMax)));
    const double lowest =
        std::max(std::isfinite(yMinPositive) ? yMinPositive : top / 10, top / kLogSaSpan);
    ranges.yMax = top;
    ranges.yMin = std::min(std::pow(10.0, std::floor(std::log10(lowest))), top / 10);
  } else {
    // A nice step above the highest point, so the top of every line (and band) is inside.
    const double step = NiceStep(yMax);
    ranges.yMin = 0;
    ranges.yMax = std::ceil(yMax / step * (1 + 1e-12)) * step;
    if (ranges.yMax < yMax) ranges.yMax += step;
  }
  return ranges;
}

QRectF SpectraPlot::PlotRect(const QRectF& area, const QFont& font) {
  const QFontMetricsF metrics(font);
  const double line = metrics.height();
  const double left = line * 1.4 + metrics.horizontalAdvance(QStringLiteral("0.0000")) + 6;
  return area.adjusted(left, line * 1.3, -metrics.horizontalAdvance(QStringLiteral("00")),
                       -(line * 2.6 + 6));
}

void SpectraPlot::Paint(QPainter& painter, const QRectF& area, const SpectraPlotContent& content,
                        const QFont& font) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const QRectF plot = PlotRect(area, font);
  const SpectraPlotRanges ranges = Ranges(content);
  const Mapping map(plot, ranges, content.logPeriod, content.logSa);
  const double unit = std::max(0.5, metrics.height() / 14);  // a pen width that scales with text

  const std::vector<Tick> xTicks =
      content.logPeriod ? LogTicks(ranges.xMin, ranges.xMax, content.decimalSeparator)
                        : LinearTicks(ranges.xMin, ranges.xMax, content.decimalSeparator);
  const std::vector<Tick> yTicks =
      content.logSa ? LogTicks(ranges.yMin, ranges.yMax, content.decimalSeparator)
                    : LinearTicks(ranges.yMin, ranges.yMax, content.decimalSeparator);
  painter.setPen(QPen(kGridColour, unit * 0.8));
  for (const Tick& t : xTicks)
    painter.drawLine(QPointF(map.X(t.value), plot.top()), QPointF(map.X(t.value), plot.bottom()));
  for (const Tick& t : yTicks)
    painter.drawLine(QPointF(plot.left(), map.Y(t.value)), QPointF(plot.right(), map.Y(t.value)));

  painter.setPen(QPen(Qt::black, unit));
  for (const Tick& t : xTicks) {
    const double x = map.X(t.value);
    const double w = metrics.horizontalAdvance(t.text);
    painter.drawText(QRectF(x - w / 2 - 2, plot.bottom() + 3, w + 4, metrics.height()),
                     Qt::AlignCenter, t.text);
  }
  for (const Tick& t : yTicks) {
    const double y = map.Y(t.value);
    painter.drawText(QRectF(area.left(), y - metrics.height() / 2, plot.left() - area.left() - 4,
                            metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, t.text);
  }
  painter.drawText(QRectF(plot.left(), plot.bottom() + metrics.height() + 5, plot.width(),
                          metrics.height() * 1.4),
                   Qt::AlignCenter, content.periodTitle);
  painter.save();
  painter.translate(area.left(), plot.center().y());
  painter.rotate(-90);
  painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), metrics.height() * 1.3),
                   Qt::AlignCenter, content.saTitle);
  painter.restore();

  painter.setClipRect(plot.adjusted(-1, -1, 1, 1));
  for (std::size_t i = 0; i < content.markers.size(); ++i) {
    const double t = content.markers[i];
    if (content.logPeriod && !(t > 0)) continue;
    const double x = map.X(t);
    painter.setPen(QPen(kMarkerColour, unit, Qt::DashDotLine));
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
  }
  // The band and the design first, the records over them, the mean on top: the order of the
  // series, drawn back to front from the records.
  for (std::size_t k = content.series.size(); k-- > 0;) {
    const ChartSeries& series = content.series[k];
    if (!series.Active()) continue;
    const Rgb rgb = series.Color();
    QPen pen(QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF), unit * series.Style().width,
             series.Style().dashed ? Qt::DashLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    QPainterPath path;
    bool open = false;
    for (const ChartPoint& p : series.Points()) {
      if (!map.Drawable(p) || !std::isfinite(p.y)) {
        open = false;
        continue;
      }
      const QPointF at(map.X(p.x), map.Y(p.y));
      if (open) {
        path.lineTo(at);
      } else {
        path.moveTo(at);
        open = true;
      }
    }
    painter.drawPath(path);
  }
  painter.setClipping(false);
  // Marker labels above the plot, clear of the lines.
  painter.setPen(QPen(kMarkerColour, unit));
  for (std::size_t i = 0; i < content.markers.size(); ++i) {
    const double t = content.markers[i];
    if (content.logPeriod && !(t > 0)) continue;
    const QString label = QStringLiteral("T%1").arg(i + 1);
    const double w = metrics.horizontalAdvance(label);
    painter.drawText(QRectF(map.X(t) - w / 2 - 2, area.top(), w + 4, plot.top() - area.top()),
                     Qt::AlignCenter, label);
  }
  painter.setPen(QPen(Qt::black, unit));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot);
  painter.restore();
}
