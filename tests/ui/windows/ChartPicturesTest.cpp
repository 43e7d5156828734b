#include <QCategoryAxis>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "chart/widget/ResponseChartView.h"
#include "tests/support/ChartLabels.h"
#include "tests/ui/windows/RecordsWindowFixture.h"
#include "ui/windows/GraphPanelForm.h"

namespace {

// Saves the chart's picture through `save` and checks the labels the picture was drawn with:
// all shown whole, each reading its gridline's value.
void ExpectReadablePicture(RecordingDesktop& desktop, const QString& path,
                           const std::function<void()>& save, const ResponseChartView& chart) {
  desktop.QueueSaveAnswer(path);
  save();
  const ChartLabels labels = ReadChartLabels(chart);
  auto* axis = qobject_cast<QCategoryAxis*>(chart.chart()->axes(Qt::Vertical).at(0));
  EXPECT_EQ(labels.Unreadable(), QStringList());
  EXPECT_EQ(labels.left, axis->categoriesLabels());
  EXPECT_FALSE(labels.left.isEmpty());
  for (const QString& text : labels.left) {
    const double value = QString(text).remove(u',').toDouble();
    EXPECT_NEAR(value, axis->endValue(text), 1e-12) << text.toStdString();
  }
}

class ChartPicturesTest : public RecordsWindowTest {
 protected:
  void SaveMainPicture() { form->Button3->click(); }
  void SaveRecordsPicture() { records->btnSavePicture->click(); }
  QString Picture() const { return folder.filePath(QStringLiteral("chart.bmp")); }
};

// Two 0.9 g spectra, docked, in the graph panel over a sweep of heights (296 to 308 px once
// cut every label short) and in the records window at its default size and smaller.
TEST_F(ChartPicturesTest, EveryChartsPictureShowsEveryLabelWhole) {
  form->show();
  form->edt1->setText("0.9");
  Create("A");
  form->edt2->setText("0.9");
  Create("B");
  const auto main = [this] { SaveMainPicture(); };
  {
    SCOPED_TRACE("docked");
    ExpectReadablePicture(desktop, Picture(), main, *form->cht1);
  }
  form->cht1DblClick();
  ASSERT_TRUE(Form2);
  for (int height = 120; height <= 720; height += height >= 290 && height < 310 ? 1 : 13) {
    Form2->resize(857, height);
    SCOPED_TRACE(::testing::Message() << "graph panel " << height);
    ExpectReadablePicture(desktop, Picture(), main, *form->cht1);
    if (HasFailure()) return;
  }
  form->cht1DblClick();

  // Records scaled to 12 cm/s2 peak: the tallest size steps Sa by 0.0025.
  records->cbbTarget->setCurrentIndex(1);
  records->cbbTargetChange();
  records->edtTargetPga->setText("12");
  Add({ElCentro()});
  form->Button5->click();  // Delete All: the check's design spectrum is the small one
  form->edt1->setText("0.02");
  CheckAgainst("C", "0.5");
  ASSERT_TRUE(WaitForSpectra());
  records->show();
  const auto save = [this] { SaveRecordsPicture(); };
  for (QSize size :
       {QSize(1240, 1100), QSize(1240, 780), QSize(1240, 700), QSize(1000, 640), QSize(900, 560)}) {
    records->resize(size);
    SCOPED_TRACE(::testing::Message() << "records " << size.width() << " x " << size.height());
    ExpectReadablePicture(desktop, Picture(), save, *records->chtRecords);
  }
}

}  // namespace
