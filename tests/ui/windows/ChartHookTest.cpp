// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/widget/ResponseChartView.h"
#include "model/DesignSpectrum.h"
#include "model/NumberText.h"
#include "tests/ui/windows/MainWindowFixture.h"
#include "ui/widgets/SpectrumCheckList.h"

namespace {

QStringList Titles(const ResponseChartView& chart) {
  QStringList titles;
  for (int i = 0; i < chart.SeriesCount(); ++i)
    titles << QString::fromStdString(chart.Series(i).Title());
  return titles;
}

TEST_F(MainWindowTest, EveryCreatedSpectrumIsALineOf601Points) {
  Create("A");
  ASSERT_EQ(form->cht1->SeriesCount(), 1);
  const ChartSeries& series = form->cht1->Series(0);
  EXPECT_EQ(series.Title(), "A");
  EXPECT_TRUE(series.Active());
  ASSERT_EQ(series.Points().size(), 601u);
  EXPECT_EQ(series.Points().front().x, 0.0);
  EXPECT_EQ(series.Points().back().x, 6.0);
  const DesignSpectrum& spectrum = form->Spectra().At(0);
  for (int i = 0; i < 601; ++i) {
    double sa = -1;
    ASSERT_EQ(spectrum.GetSa(FinePeriod(i), sa), 0);
    ASSERT_EQ(series.Points()[i].y, sa) << "point " << i;
  }
}

TEST_F(MainWindowTest, SeriesFollowDeleteAndDeleteAll) {
  for (const char* name : {"A", "B", "C"}) Create(name);
  form->lst1->setCurrentRow(1);
  form->Button4->click();
  EXPECT_EQ(Titles(*form->cht1), QStringList({"A", "C"}));
  form->Button5->click();
  EXPECT_EQ(form->cht1->SeriesCount(), 0);
}

TEST_F(MainWindowTest, CheckBoxesShowAndHideTheLines) {
  for (const char* name : {"A", "B"}) Create(name);
  form->lst1->item(1)->setCheckState(Qt::Unchecked);  // as the user's click does
  EXPECT_TRUE(form->cht1->Series(0).Active());
  EXPECT_FALSE(form->cht1->Series(1).Active());
  form->lst1->item(1)->setCheckState(Qt::Checked);
  EXPECT_TRUE(form->cht1->Series(1).Active());
}

TEST_F(MainWindowTest, UncheckingLowersTheLeftAxisTop) {
  form->edt1->setText("0.5");
  Create("High");
  form->edt1->setText("0.04");
  Create("Low");
  const double both = form->cht1->AxisRanges().y.max;
  form->lst1->item(0)->setCheckState(Qt::Unchecked);
  EXPECT_LT(form->cht1->AxisRanges().y.max, both);
}

}  // namespace
