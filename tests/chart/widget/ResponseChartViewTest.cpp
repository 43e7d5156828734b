#include "chart/widget/ResponseChartView.h"

#include <gtest/gtest.h>

#include <QCategoryAxis>
#include <QGraphicsScene>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>
#include <stdexcept>
#include <string>

#include "chart/widget/ChartLegendItem.h"
#include "model/DesignSpectrum.h"
#include "model/NumberText.h"
#include "tests/support/ChartLabels.h"
#include "tests/support/CommaCLocale.h"
#include "tests/support/QtPrinters.h"

namespace {

// With 5 % damping Sa tops out at alphaMax.
DesignSpectrum Spectrum(const std::string& name, double alphaMax) {
  return DesignSpectrum(name, alphaMax, 0.35, 0.05, 0);
}

class ResponseChartViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.resize(639, 248);
    view.SetupLeftAxis();
  }

  // The legend the chart draws over the plot, found as any item of its scene.
  const ChartLegendItem& Legend() const {
    for (const QGraphicsItem* item : view.scene()->items()) {
      if (const auto* legend = dynamic_cast<const ChartLegendItem*>(item)) return *legend;
    }
    throw std::logic_error("the chart has no legend");
  }

  // A right press ends a running zoom animation on its last frame, as before a pan.
  void FinishZoom(QPoint at) { QTest::mouseClick(view.viewport(), Qt::RightButton, {}, at); }

  QCategoryAxis* Axis(Qt::Orientation orientation) const {
    return qobject_cast<QCategoryAxis*>(view.chart()->axes(orientation).at(0));
  }

  // A point of the plot area, as fractions of its width and height from the top left.
  QPoint InPlot(double fx, double fy) {
    view.RenderImage();  // lays the chart out
    const QRectF plot = view.chart()->plotArea();
    return QPointF(plot.left() + fx * plot.width(), plot.top() + fy * plot.height()).toPoint();
  }

  void Drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(view.viewport(), button, {}, from);
    QTest::mouseMove(view.viewport(), (from + to) / 2);
    QTest::mouseMove(view.viewport(), to);
    QTest::mouseRelease(view.viewport(), button, {}, to);
    FinishZoom(to);
  }

  int PixelsOf(QRgb color) {
    const QImage image = view.RenderImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) count += (image.pixel(x, y) & 0xFFFFFFu) == color;
    }
    return count;
  }

  ResponseChartView view;
};

TEST_F(ResponseChartViewTest, CreatedSpectrumIsALineOf601PointsFromZeroToSix) {
  const DesignSpectrum spectrum = Spectrum("Frequent 7", 0.08);
  view.AddSpectrumSeries(spectrum);

  ASSERT_EQ(view.SeriesCount(), 1);
  const ChartSeries& series = view.Series(0);
  EXPECT_EQ(series.Title(), "Frequent 7");
  EXPECT_TRUE(series.Active());
  EXPECT_EQ(series.Color(), 0x4466A3u);
  ASSERT_EQ(series.Points().size(), 601u);
  EXPECT_EQ(series.Points().front().x, 0);
  EXPECT_EQ(series.Points().back().x, 6);
  for (int i = 0; i < 601; ++i) {
    double sa = 0;
    spectrum.GetSa(FinePeriod(i), sa);
    const ChartPoint& point = series.Points()[static_cast<std::size_t>(i)];
    ASSERT_EQ(point.x, FinePeriod(i)) << "point " << i;
    ASSERT_EQ(point.y, sa) << "point " << i;
  }
  EXPECT_GT(PixelsOf(0x4466A3), 500) << "a 2-pixel line across the plot";
}

TEST_F(ResponseChartViewTest, RemovalKeepsOrderAndColoursAndFreesTheColour) {
  for (const char* name : {"A", "B", "C"}) view.AddSpectrumSeries(Spectrum(name, 0.08));
  view.RemoveSeries(7);
  view.RemoveSeries(1);
  view.AddSpectrumSeries(Spectrum("D", 0.08));

  const std::vector<std::pair<std::string, QRgb>> expected = {
      {"A", 0x4466A3}, {"C", 0xF14C14}, {"D", 0xF39C35}};
  ASSERT_EQ(view.SeriesCount(), 3);
  for (int i = 0; i < 3; ++i) {
    const auto& [title, color] = expected[static_cast<std::size_t>(i)];
    EXPECT_EQ(view.Series(i).Title(), title);
    EXPECT_EQ(view.Series(i).Color(), color);
    EXPECT_GT(PixelsOf(color), 0) << title;
  }

  view.RemoveAllSeries();
  EXPECT_EQ(view.SeriesCount(), 0);
  EXPECT_EQ(PixelsOf(0x4466A3), 0);
}

TEST_F(ResponseChartViewTest, HidingRemovesLineAndLegendEntryAndLowersTheLeftAxis) {
  view.AddSpectrumSeries(Spectrum("Low", 0.08));
  view.AddSpectrumSeries(Spectrum("High", 0.32));
  EXPECT_DOUBLE_EQ(Axis(Qt::Vertical)->max(), 0.32);
  EXPECT_GT(PixelsOf(0xF39C35), 100);

  view.SetSeriesActive(1, false);
  EXPECT_DOUBLE_EQ(Axis(Qt::Vertical)->max(), 0.08);
  EXPECT_EQ(PixelsOf(0xF39C35), 0) << "the picture leaves the hidden line out";
  ASSERT_EQ(Legend().RowCount(), 1);
  EXPECT_EQ(Legend().RowText(0), "Low");

  view.SetSeriesActive(0, false);
  view.RenderImage();
  EXPECT_FALSE(Legend().isVisible());
  EXPECT_DOUBLE_EQ(Axis(Qt::Vertical)->max(), 0.32) << "none shown: ranges of all";

  view.SetSeriesActive(1, true);
  EXPECT_GT(PixelsOf(0xF39C35), 100);
  EXPECT_EQ(Legend().RowText(0), "High");
}

TEST_F(ResponseChartViewTest, TitleWithMarkupIsShownAsText) {
  view.AddSpectrumSeries(Spectrum("<b>x</b>", 0.08));
  view.RenderImage();
  EXPECT_EQ(view.Series(0).Title(), "<b>x</b>");
  EXPECT_EQ(Legend().RowText(0), "<b>x</b>");
}

TEST_F(ResponseChartViewTest, PictureHasTheWidgetSize) {
  EXPECT_EQ(view.RenderImage().size(), QSize(639, 248));
  view.resize(857, 353);
  EXPECT_EQ(view.RenderImage().size(), QSize(857, 353));
}

TEST_F(ResponseChartViewTest, PressWhereNoChartItemLiesDoesNotCrash) {
  // Before the chart is laid out no item lies anywhere.
  const PlotRanges before = view.AxisRanges();
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    QTest::mousePress(view.viewport(), button, {}, QPoint(0, 0));
    QTest::mouseRelease(view.viewport(), button, {}, QPoint(0, 0));
  }
  EXPECT_EQ(view.AxisRanges(), before) << "not zoomed";
}

TEST_F(ResponseChartViewTest, RightwardDragZoomsLeftwardRestoresShortDragsDoNothing) {
  view.AddSpectrumSeries(Spectrum("A", 0.08));
  const PlotRanges before = view.AxisRanges();
  const QPoint middle = InPlot(0.5, 0.5);
  for (QPoint move : {QPoint(16, 60), QPoint(60, 16), QPoint(-16, 60), QPoint(-60, -16)}) {
    Drag(middle, middle + move);
    EXPECT_EQ(view.AxisRanges(), before) << move.x() << ", " << move.y();
  }

  QTest::mousePress(view.viewport(), Qt::LeftButton, {}, InPlot(0.25, 0.25));
  QTest::mouseMove(view.viewport(), InPlot(0.5, 0.75));
  QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, InPlot(0.5, 0.75));
  const PlotRanges firstFrame = view.AxisRanges();
  FinishZoom(InPlot(0.5, 0.75));
  const PlotRanges zoomed = view.AxisRanges();
  // The zoom is animated: the release shows a frame between the old and the zoomed ranges.
  EXPECT_NE(firstFrame, before);
  EXPECT_NE(firstFrame, zoomed);
  // A pixel of the plot is about 0.011 s and 0.0005 g.
  EXPECT_NEAR(zoomed.x.min, 1.5, 0.02);
  EXPECT_NEAR(zoomed.x.max, 3, 0.02);
  EXPECT_NEAR(zoomed.y.min, 0.02, 0.001);
  EXPECT_NEAR(zoomed.y.max, 0.06, 0.001);
  EXPECT_DOUBLE_EQ(Axis(Qt::Horizontal)->min(), zoomed.x.min);
  EXPECT_DOUBLE_EQ(Axis(Qt::Vertical)->max(), zoomed.y.max);
  // The line is cut at the plot's edges.
  const QImage image = view.RenderImage();
  const QRect plot = view.chart()->plotArea().toAlignedRect().adjusted(-1, -1, 1, 1);
  int inside = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFFu) != 0x4466A3u) continue;
      ASSERT_TRUE(plot.contains(x, y)) << x << ", " << y;
      ++inside;
    }
  }
  EXPECT_GT(inside, 100);

  Drag(middle, middle + QPoint(-16, 60));
  EXPECT_EQ(view.AxisRanges(), zoomed) << "a short leftward drag does not restore";
  Drag(InPlot(0.75, 0.25), InPlot(0.25, 0.75));
  EXPECT_EQ(view.AxisRanges(), before);
  view.AddSpectrumSeries(Spectrum("B", 0.32));
  EXPECT_EQ(view.AxisRanges().y.max, 0.32) << "restored: the axes follow the data again";
}

TEST_F(ResponseChartViewTest, ZoomHoldsWhileSpectraChangeAndRestoreShowsThem) {
  view.AddSpectrumSeries(Spectrum("Low", 0.08));
  Drag(InPlot(0.1, 0.1), InPlot(0.4, 0.9));
  const PlotRanges zoomed = view.AxisRanges();

  view.AddSpectrumSeries(Spectrum("High", 0.32));
  EXPECT_EQ(view.AxisRanges(), zoomed);
  view.SetSeriesActive(0, false);
  view.RemoveSeries(0);
  EXPECT_EQ(view.AxisRanges(), zoomed);
  EXPECT_DOUBLE_EQ(Axis(Qt::Vertical)->max(), zoomed.y.max);

  Drag(InPlot(0.9, 0.1), InPlot(0.5, 0.5));
  EXPECT_EQ(view.AxisRanges(), (PlotRanges{{0, 6}, {0, 0.32}}));
}

TEST_F(ResponseChartViewTest, RightDragPansAndTheWheelDoesNothing) {
  view.AddSpectrumSeries(Spectrum("A", 0.08));
  const PlotRanges before = view.AxisRanges();
  const QPointF at = InPlot(0.5, 0.5);
  QWheelEvent wheel(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view.viewport(), &wheel);
  EXPECT_EQ(view.AxisRanges(), before);

  Drag(InPlot(0.5, 0.5), InPlot(0.6, 0.5), Qt::RightButton);
  EXPECT_NEAR(view.AxisRanges().x.min, -0.6, 0.02);
  EXPECT_NEAR(view.AxisRanges().x.max, 5.4, 0.02);
  Drag(InPlot(0.8, 0.2), InPlot(0.2, 0.8));
  EXPECT_EQ(view.AxisRanges(), before);
}

TEST_F(ResponseChartViewTest, DoubleClickHintAndTag) {
  EXPECT_EQ(view.Tag(), 0);
  QSignalSpy doubleClicks(&view, &ResponseChartView::doubleClicked);
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(doubleClicks.count(), 1);

  view.show();
  const QPoint at = InPlot(0.5, 0.5);
  QHelpEvent help(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
  QApplication::sendEvent(view.viewport(), &help);
  EXPECT_EQ(QToolTip::text(), "Double click to Poup the Graph Panel.");
  QToolTip::hideText();
}

TEST_F(ResponseChartViewTest, LeftLabelsStartAtZeroInDoublingStepsWithTheCurrentSeparator) {
  view.AddSpectrumSeries(Spectrum("A", 0.08));
  view.RenderImage();
  QCategoryAxis* axis = Axis(Qt::Vertical);
  QStringList labels = axis->categoriesLabels();
  ASSERT_GE(labels.size(), 2);
  EXPECT_EQ(labels.front(), "0");
  EXPECT_EQ(axis->endValue(labels.front()), 0);
  const double step = axis->endValue(labels[1]);
  const double doublings = std::log2(step / 0.0025);
  EXPECT_DOUBLE_EQ(doublings, std::round(doublings)) << "step " << step;

  const std::string saved = DecimalSeparator();
  SetDecimalSeparator(",");
  view.RefreshLabels();
  labels = axis->categoriesLabels();
  SetDecimalSeparator(saved);
  EXPECT_TRUE(labels[1].startsWith("0,")) << labels[1].toStdString();
}

TEST_F(ResponseChartViewTest, LeftAxisLineIsDrawnForTheTiniestSa) {
  view.AddSpectrumSeries(Spectrum("A", 1e-12));
  const QImage image = view.RenderImage();
  const QRectF plot = view.chart()->plotArea();
  int black = 0;
  for (int y = static_cast<int>(plot.top()) + 2; y < static_cast<int>(plot.bottom()) - 2; ++y) {
    for (int dx = -2; dx <= 0; ++dx) {
      black += (image.pixel(static_cast<int>(plot.left()) + dx, y) & 0xFFFFFFu) == 0;
    }
  }
  EXPECT_GT(black, plot.height() / 2) << "the axis line runs along the plot's left edge";
  EXPECT_EQ(Axis(Qt::Vertical)->categoriesLabels(), QStringList{"0"});
}

// Qt sets the C library's locale from the user's; the labels must not follow it.
TEST_F(ResponseChartViewTest, LabelsUnderACommaCLocaleDifferOnlyInTheSeparator) {
  view.AddSpectrumSeries(Spectrum("A", 0.96));
  view.RenderImage();
  const auto labels = [&] {
    view.RefreshLabels();
    return Axis(Qt::Vertical)->categoriesLabels() + Axis(Qt::Horizontal)->categoriesLabels();
  };
  const QStringList underC = labels();
  const CommaCLocale locale;
  if (!locale.Active()) GTEST_SKIP() << locale.Reason();
  const std::string saved = DecimalSeparator();
  SetDecimalSeparator(",");
  const QStringList underComma = labels();
  SetDecimalSeparator(saved);

  ASSERT_EQ(underComma.size(), underC.size());
  int withDecimals = 0;
  for (qsizetype i = 0; i < underC.size(); ++i) {
    QString expected = underC[i];
    withDecimals += expected.contains(u'.');
    expected.replace(u'.', u',');
    EXPECT_EQ(underComma[i].toStdString(), expected.toStdString());
  }
  EXPECT_GT(withDecimals, 2);
}

TEST(ResponseChartView, LeftAxisStartsAtZeroOnceSetUp) {
  ResponseChartView view;
  view.AddSpectrumSeries(Spectrum("A", 0.08));
  EXPECT_GT(view.AxisRanges().y.min, 0) << "automatic minimum before set-up";
  view.SetupLeftAxis();
  EXPECT_EQ(view.AxisRanges().y.min, 0);
}

TEST_F(ResponseChartViewTest, ReplacingAllSeriesKeepsGivenColoursAndStylesAndPaletteForTheRest) {
  view.AddSpectrumSeries(Spectrum("old", 0.08));
  const std::vector<ChartPoint> points{{0, 0.1}, {6, 0.2}};
  view.ReplaceAllSeries({{"design", points, {3, false}, 0xE00000},
                         {"band", points, {1, true}, 0xE00000},
                         {"record", points, {1, false}, std::nullopt}});
  ASSERT_EQ(view.SeriesCount(), 3);
  EXPECT_EQ(view.Series(0).Color(), 0xE00000u);
  EXPECT_EQ(view.Series(1).Style(), (LineStyle{1, true}));
  // The first palette entry: colours of the caller's choosing take none.
  EXPECT_EQ(view.Series(2).Color(), 0x4466A3u);
  EXPECT_EQ(view.AxisRanges().y.max, 0.2);
  view.RenderImage();  // lays the legend out
  EXPECT_EQ(Legend().RowCount(), 3);
}

// A label shows its gridline's value exactly, with the decimals the step needs.
TEST_F(ResponseChartViewTest, FineStepsShowTheirGridlinesValuesExactly) {
  view.resize(639, 400);
  view.AddSpectrumSeries(Spectrum("A", 0.02));
  view.RenderImage();
  EXPECT_EQ(ReadChartLabels(view).left, (QStringList{"0", "0.0025", "0.005", "0.0075", "0.01",
                                                     "0.0125", "0.015", "0.0175", "0.02"}));
}

// Qt Charts cuts a label short to "..." when the share of the axis it grants a label is too
// small; the picture would carry the ellipsis. Swept from the chart's smallest size.
TEST_F(ResponseChartViewTest, EveryLabelIsReadableAtEverySize) {
  const QSize smallest = view.minimumSize();
  for (const std::vector<double>& alphaMax : std::vector<std::vector<double>>{{0.9, 0.9}, {0.02}}) {
    view.RemoveAllSeries();
    for (double a : alphaMax) view.AddSpectrumSeries(Spectrum(std::to_string(a), a));
    for (int width : {smallest.width(), 639, 1400}) {
      for (int height = smallest.height(); height <= 1000; height += height < 460 ? 4 : 31) {
        view.resize(width, height);
        view.RenderImage();
        const ChartLabels labels = ReadChartLabels(view);
        SCOPED_TRACE(::testing::Message() << alphaMax[0] << " at " << width << " x " << height);
        EXPECT_EQ(labels.Unreadable(), QStringList());
        EXPECT_EQ(labels.left, Axis(Qt::Vertical)->categoriesLabels());
        EXPECT_EQ(labels.bottom, Axis(Qt::Horizontal)->categoriesLabels());
        if (HasFailure()) return;
      }
    }
  }
}

TEST_F(ResponseChartViewTest, AxisTitlesArePlainText) {
  view.SetAxisTitles("T <i>(s)</i>", "PSA & g");
  EXPECT_EQ(Axis(Qt::Horizontal)->titleText(), "T &lt;i&gt;(s)&lt;/i&gt;");
  EXPECT_EQ(Axis(Qt::Vertical)->titleText(), "PSA &amp; g");
}

}  // namespace
