// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/files/RecordsReport.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <functional>
#include <stdexcept>

#include "model/NumberText.h"
#include "records/CheckTableText.h"
#include "records/RecordDescription.h"

namespace {

// Lengths are in points: the writer's resolution is 72 dots per inch.
constexpr int kResolution = 72;
constexpr double kMargin = 36;
constexpr double kGap = 7;
constexpr double kCellPad = 2;
constexpr double kTightCellPad = 1;  // for long tables, so that more fits on the page
constexpr std::size_t kLongTable = 10;
constexpr double kChartHeight = 235;
constexpr double kLeastChartHeight = 150;
constexpr double kTall = 10000;           // a box height that never cuts text short
constexpr double kHeadingWithLines = 26;  // a heading is not left alone at a page's foot
constexpr double kLegendWidth = 134;
const QColor kRuleColour(0x80, 0x80, 0x80);
const QColor kHeadBack(0xE8, 0xE8, 0xE8);
const QColor kPassText(0x00, 0x61, 0x00);
const QColor kFailText(0x9C, 0x00, 0x06);

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }
QString Pattern(NumberPattern pattern, double value, const std::string& separator) {
  return Text(FormatPattern(pattern, value, separator));
}
QString General(double value, const std::string& separator) {
  return Text(FormatGeneral(value, separator));
}

QFont ReportFont(double points, bool bold = false) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

struct Column {
  QString title;
  double width;  // a share of the table's width
  Qt::Alignment alignment = Qt::AlignLeft;
};

struct Cell {
  QString text;
  QColor colour = Qt::black;
};

// Lays the page out from top to bottom.
class PageWriter {
 public:
  // `newPage` starts the next page; without it the writer only measures how far it goes.
  PageWriter(QPainter& painter, const QRectF& page, double chartHeight,
             std::function<void()> newPage)
      : painter_(painter),
        page_(page),
        y_(page.top()),
        chartHeight_(chartHeight),
        newPage_(std::move(newPage)) {}

  double Y() const { return y_; }
  void Skip(double points) { y_ += points; }

  void Paragraph(const QString& text, const QFont& font, const QColor& colour = Qt::black) {
    painter_.setFont(font);
    painter_.setPen(colour);
    const double height =
        painter_.boundingRect(QRectF(0, 0, page_.width(), kTall), Qt::TextWordWrap, text).height();
    Room(height);
    const QRectF box(page_.left(), y_, page_.width(), height + 1);
    const QRectF used = painter_.boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft, text);
    painter_.drawText(box, Qt::TextWordWrap | Qt::AlignLeft, text);
    y_ += used.height();
  }

  void Heading(const QString& text) {
    Skip(kGap * 0.6);
    Room(kHeadingWithLines);
    Paragraph(text, ReportFont(9.5, true));
    painter_.setPen(QPen(kRuleColour, 0.5));
    painter_.drawLine(QPointF(page_.left(), y_ + 0.5), QPointF(page_.right(), y_ + 0.5));
    y_ += 2.5;
  }

  // Label and text pairs, two to a line.
  void Fields(const std::vector<std::pair<QString, QString>>& fields, const QFont& font) {
    const QFont bold = [&] {
      QFont b = font;
      b.setBold(true);
      return b;
    }();
    const double half = page_.width() / 2;
    for (std::size_t i = 0; i < fields.size(); i += 2) {
      Room(QFontMetricsF(font).height() * 2);
      double height = 0;
      for (std::size_t k = i; k < std::min(i + 2, fields.size()); ++k) {
        const QRectF box(page_.left() + (k - i) * half, y_, half - 6, kTall);
        painter_.setFont(bold);
        painter_.setPen(Qt::black);
        const QString label = fields[k].first + QStringLiteral(": ");
        const double labelWidth = QFontMetricsF(bold).horizontalAdvance(label);
        painter_.drawText(box, Qt::AlignLeft, label);
        painter_.setFont(font);
        const QRectF rest = box.adjusted(labelWidth, 0, 0, 0);
        const int flags = Qt::TextWordWrap | Qt::AlignLeft;
        height = std::max(height, painter_.boundingRect(rest, flags, fields[k].second).height());
        painter_.drawText(rest, flags, fields[k].second);
      }
      y_ += height + 1;
    }
  }

  void Table(const std::vector<Column>& columns, const std::vector<std::vector<Cell>>& rows,
             const QFont& font) {
    double shares = 0;
    for (const Column& column : columns) shares += column.width;
    std::vector<double> widths;
    for (const Column& column : columns) widths.push_back(page_.width() * column.width / shares);
    QFont bold = font;
    bold.setBold(true);
    std::vector<Cell> head;
    for (const Column& column : columns) head.push_back({column.title});
    const double pad = rows.size() > kLongTable ? kTightCellPad : kCellPad;
    Row(columns, widths, head, bold, true, pad);
    for (const std::vector<Cell>& row : rows) Row(columns, widths, row, font, false, pad);
  }

  void Chart(const SpectraPlotContent& plot) {
    Room(chartHeight_);
    const QRectF area(page_.left(), y_, page_.width() - kLegendWidth, chartHeight_);
    SpectraPlot::Paint(painter_, area, plot, ReportFont(6.5));
    Legend(plot, QRectF(area.right() + 6, area.top() + 8, kLegendWidth - 6, chartHeight_ - 8));
    y_ += chartHeight_;
  }

 private:
  // Starts a new page when the next `height` points would run off this one.
  void Room(double height) {
    if (newPage_ && y_ + height > page_.bottom() && y_ > page_.top()) {
      newPage_();
      y_ = page_.top();
    }
  }

  void Row(const std::vector<Column>& columns, const std::vector<double>& widths,
           const std::vector<Cell>& cells, const QFont& font, bool head, double pad) {
    painter_.setFont(font);
    const int flags = Qt::TextWrapAnywhere;
    double height = QFontMetricsF(font).height();
    for (std::size_t c = 0; c < columns.size() && c < cells.size(); ++c) {
      const QRectF box(0, 0, widths[c] - 2 * pad, 1000);
      height = std::max(height, painter_.boundingRect(box, flags, cells[c].text).height());
    }
    height += 2 * pad;
    Room(height);
    double x = page_.left();
    if (head) painter_.fillRect(QRectF(x, y_, page_.width(), height), kHeadBack);
    for (std::size_t c = 0; c < columns.size() && c < cells.size(); ++c) {
      painter_.setPen(cells[c].colour);
      painter_.drawText(QRectF(x + pad, y_ + pad, widths[c] - 2 * pad, height - 2 * pad),
                        flags | columns[c].alignment | Qt::AlignVCenter, cells[c].text);
      x += widths[c];
    }
    y_ += height;
    painter_.setPen(QPen(kRuleColour, 0.3));
    painter_.drawLine(QPointF(page_.left(), y_), QPointF(page_.right(), y_));
  }

  // One column of entries, or two when one would not hold them all; what still does not fit is
  // counted in the last line rather than left out unsaid.
  void Legend(const SpectraPlotContent& plot, const QRectF& box) {
    const QFont font = ReportFont(6.5);
    const QFontMetricsF metrics(font);
    painter_.setFont(font);
    const double line = metrics.height() + 1;
    std::vector<const ChartSeries*> shown;
    for (const ChartSeries& series : plot.series) {
      if (series.Active()) shown.push_back(&series);
    }
    const std::size_t entries = shown.size() + (plot.markers.empty() ? 0 : 1);
    const auto perColumn = static_cast<std::size_t>(std::max(1.0, std::floor(box.height() / line)));
    const int columns = entries > perColumn ? 2 : 1;
    const double width = box.width() / columns;
    const double swatch = columns == 1 ? 16 : 10;
    const std::size_t room = perColumn * columns;
    const std::size_t drawn = entries > room ? room - 1 : shown.size();
    const auto place = [&](std::size_t k) {
      return QPointF(box.left() + (k / perColumn) * width, box.top() + (k % perColumn) * line);
    };
    const auto entry = [&](std::size_t k, const QPen& pen, const QString& text) {
      const QPointF at = place(k);
      painter_.setPen(pen);
      painter_.drawLine(QPointF(at.x(), at.y() + line / 2),
                        QPointF(at.x() + swatch, at.y() + line / 2));
      painter_.setPen(Qt::black);
      const double textWidth = width - swatch - 4;
      painter_.drawText(QRectF(at.x() + swatch + 3, at.y(), textWidth, line),
                        Qt::AlignLeft | Qt::AlignVCenter,
                        metrics.elidedText(text, Qt::ElideMiddle, textWidth));
    };
    std::size_t k = 0;
    for (; k < drawn && k < shown.size(); ++k) {
      const ChartSeries& series = *shown[k];
      const Rgb rgb = series.Color();
      entry(k,
            QPen(QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF),
                 0.5 * series.Style().width, series.Style().dashed ? Qt::DashLine : Qt::SolidLine),
            Text(series.Title()));
    }
    if (k < shown.size()) {
      entry(k, QPen(Qt::NoPen), QStringLiteral("%1 more in the table").arg(shown.size() - k));
    } else if (!plot.markers.empty()) {
      entry(k, QPen(QColor(0x30, 0x30, 0x30), 0.5, Qt::DashDotLine),
            QStringLiteral("Main periods"));
    }
  }

  QPainter& painter_;
  QRectF page_;
  double y_;
  double chartHeight_;
  std::function<void()> newPage_;
};

std::vector<std::vector<Cell>> RecordRows(const RecordsReportContent& content) {
  const std::string& separator = content.plot.decimalSeparator;
  std::vector<std::vector<Cell>> rows;
  const CheckResult& check = content.check;
  for (std::size_t i = 0; i < check.records.size(); ++i) {
    const RecordCheck& record = check.records[i];
    const RecordDescription d = ParseRecordDescription(
        i < content.descriptions.size() ? content.descriptions[i] : std::string());
    const QString event = d.date.empty() ? Text(d.event) : Text(d.event + ", " + d.date);
    rows.push_back({{QString::number(i + 1)},
                    {Text(record.name)},
                    {event},
                    {Text(d.station)},
                    {Text(d.component)},
                    {record.real ? QStringLiteral("Real") : QStringLiteral("Artificial")},
                    {Pattern(NumberPattern::SixDecimals, record.peakAcceleration, separator)},
                    {Pattern(NumberPattern::SixDecimals, record.scaleFactor, separator) +
                         (record.scaleOutsideBand ? QStringLiteral(" *") : QString()),
                     record.scaleOutsideBand ? kFailText : QColor(Qt::black)},
                    {Pattern(NumberPattern::TwoDecimals, record.effectiveDuration, separator) +
                         (record.tooShort ? QStringLiteral(" too short") : QStringLiteral(" OK")),
                     record.tooShort ? kFailText : kPassText}});
  }
  return rows;
}

std::vector<std::vector<Cell>> PeriodRows(const CheckResult& check, const std::string& separator) {
  std::vector<std::vector<Cell>> rows;
  for (std::size_t i = 0; i < check.periods.size(); ++i) {
    const PeriodCheck& period = check.periods[i];
    const QColor colour = period.passes ? kPassText : kFailText;
    rows.push_back(
        {{QStringLiteral("T%1").arg(i + 1)},
         {General(period.period, separator)},
         {Pattern(NumberPattern::SixDecimals, period.mean, separator)},
         {Pattern(NumberPattern::SixDecimals, period.design, separator)},
         {Pattern(NumberPattern::TwoDecimals, period.deviationPercent, separator), colour},
         {period.passes ? QStringLiteral("Pass") : QStringLiteral("Fail"), colour}});
  }
  return rows;
}

QString SetRulesText(const CheckResult& check, const std::string& separator) {
  const std::size_t count = check.records.size();
  QString text =
      QStringLiteral(
          "%1 records, %2 real and %3 artificial: real records %4 two thirds of the set. ")
          .arg(count)
          .arg(check.realCount)
          .arg(check.artificialCount)
          .arg(check.tooFewReal ? QStringLiteral("fewer than") : QStringLiteral("at least"));
  text += Text(SetRuleText(check.setRule)) + QStringLiteral(". ");
  text += QStringLiteral(
              "Fundamental period T1 = %1 s (the longest main period); effective "
              "duration at least 5 T1 = %2 s: %3. Tolerance of the mean: %4 %.")
              .arg(General(check.fundamentalPeriod, separator),
                   Pattern(NumberPattern::TwoDecimals, check.minimumDuration, separator),
                   check.shortRecords.empty()
                       ? QStringLiteral("every record is long enough")
                       : QStringLiteral("%1 record(s) too short").arg(check.shortRecords.size()),
                   General(check.tolerance * 100, separator));
  return text;
}

// Writes the page with a chart of the given height; returns where the last line ends.
double WritePage(QPainter& painter, const QRectF& page, double chartHeight,
                 std::function<void()> newPage, const RecordsReportContent& content) {
  PageWriter out(painter, page, chartHeight, std::move(newPage));
  const QFont body = ReportFont(7.5);
  const QFont small = ReportFont(7);

  out.Paragraph(QStringLiteral("Ground Motion Records: Compatibility with the Design Spectrum"),
                ReportFont(14, true));
  out.Skip(4);
  out.Fields({{QStringLiteral("Project"), content.project},
              {QStringLiteral("Engineer"), content.engineer},
              {QStringLiteral("Date"), content.date},
              {QStringLiteral("Program"), content.program}},
             body);

  out.Heading(QStringLiteral("Design spectrum and scaling"));
  out.Fields(content.settings, body);

  const CheckResult& check = content.check;
  out.Heading(QStringLiteral("Records"));
  out.Table({{QStringLiteral("#"), 2, Qt::AlignRight},
             {QStringLiteral("File"), 11},
             {QStringLiteral("Event"), 11},
             {QStringLiteral("Station"), 10},
             {QStringLiteral("Comp."), 4},
             {QStringLiteral("Kind"), 5.5},
             {QStringLiteral("PGA (g)"), 6.5, Qt::AlignRight},
             {QStringLiteral("Scale factor"), 9, Qt::AlignRight},
             {QStringLiteral("Eff. duration (s)"), 8.5, Qt::AlignRight}},
            RecordRows(content), small);
  if (!check.scaleWarnings.empty()) {
    out.Paragraph(
        QStringLiteral("* ") + Text(ScaleWarningText(check, content.plot.decimalSeparator)), small,
        kFailText);
  }

  out.Heading(QStringLiteral("Scaled response spectra"));
  out.Skip(2);
  out.Chart(content.plot);

  out.Heading(QStringLiteral("Check at the main periods"));
  out.Table({{QStringLiteral("Mode"), 1},
             {QStringLiteral("Period (s)"), 2, Qt::AlignRight},
             {QStringLiteral("Mean (g)"), 2, Qt::AlignRight},
             {QStringLiteral("Design (g)"), 2, Qt::AlignRight},
             {QStringLiteral("Deviation (%)"), 2, Qt::AlignRight},
             {QStringLiteral("Result"), 1.5}},
            PeriodRows(check, content.plot.decimalSeparator), small);

  out.Heading(QStringLiteral("Set rules"));
  out.Paragraph(SetRulesText(check, content.plot.decimalSeparator), body);

  out.Heading(QStringLiteral("Verdict"));
  out.Paragraph(check.passes ? QStringLiteral("PASS: the record set matches the design spectrum.")
                             : QStringLiteral("FAIL: the record set does not match the design "
                                              "spectrum."),
                ReportFont(10, true), check.passes ? kPassText : kFailText);
  for (const std::string& reason : CheckFailureReasons(check, content.plot.decimalSeparator)) {
    out.Paragraph(QStringLiteral("\u2022 ") + Text(reason), body);
  }
  return out.Y();
}

// A page painted into a writer of the same page and resolution.
class PdfPage {
 public:
  explicit PdfPage(const RecordsReportContent& content) : buffer_(&bytes_), writer_(&buffer_) {
    buffer_.open(QIODevice::WriteOnly);
    writer_.setResolution(kResolution);
    writer_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    writer_.setTitle(
        QStringLiteral("Ground motion records: compatibility with the design spectrum"));
    writer_.setCreator(content.program);
  }
  QRectF Page() const {
    return QRectF(QPointF(0, 0), writer_.pageLayout().fullRectPoints().size())
        .adjusted(kMargin, kMargin, -kMargin, -kMargin);
  }
  // Paints the page; returns where its last line ends.
  double Write(double chartHeight, bool breakPages, const RecordsReportContent& content) {
    QPainter painter;
    if (!painter.begin(&writer_)) throw std::runtime_error("The report could not be started.");
    std::function<void()> newPage;
    if (breakPages) newPage = [this] { writer_.newPage(); };
    const double end = WritePage(painter, Page(), chartHeight, newPage, content);
    if (!painter.end()) throw std::runtime_error("The report could not be finished.");
    buffer_.close();
    return end;
  }
  const QByteArray& Bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
  QBuffer buffer_;
  QPdfWriter writer_;
};

}  // namespace

QByteArray BuildRecordsReportPdf(const RecordsReportContent& content) {
  // A trial page finds how much the chart must give up for everything else to fit.
  PdfPage trial(content);
  const double overflow = trial.Write(kChartHeight, false, content) - trial.Page().bottom();
  PdfPage page(content);
  // More than a page holds even then (many records): the rest goes on further pages.
  page.Write(std::clamp(kChartHeight - std::max(0.0, overflow + kHeadingWithLines),
                        kLeastChartHeight, kChartHeight),
             true, content);
  return page.Bytes();
}
