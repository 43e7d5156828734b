// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QTemporaryDir>

#include "chart/widget/ResponseChartView.h"
#include "tests/support/WhenModal.h"
#include "tests/ui/windows/MainWindowFixture.h"
#include "ui/widgets/SpectrumCheckList.h"
#include "ui/windows/About.h"
#include "ui/windows/GraphPanelForm.h"

namespace {

// One session as a user runs it, start to end, through the same events: under the asan preset
// a memory error or leak on any of these roads fails the run.
TEST_F(MainWindowTest, ScriptedSessionRunsCleanly) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  ShowActive();
  const auto doubleClickChart = [&] {
    QTest::mouseDClick(form->cht1->viewport(), Qt::LeftButton, Qt::NoModifier,
                       form->cht1->viewport()->rect().center());
    QCoreApplication::processEvents();
  };

  for (const char* name : {"A", "B", "C"}) Create(name);
  form->lst1->setCurrentRow(1, QItemSelectionModel::NoUpdate);
  form->Button4->click();
  EXPECT_EQ(form->Spectra().Size(), 2u);

  doubleClickChart();
  ASSERT_TRUE(Form2);
  EXPECT_EQ(form->cht1->window(), static_cast<QWidget*>(Form2));
  doubleClickChart();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(Form2);
  EXPECT_EQ(form->cht1->parentWidget(), static_cast<QWidget*>(form->grp2));

  desktop.QueueSaveAnswer(folder.filePath("Spectrum.csv"));
  form->Button2->click();
  desktop.QueueSaveAnswer(folder.filePath("Spectrum.bmp"));
  form->SavePicture1->trigger();
  EXPECT_GT(QFile(folder.filePath("Spectrum.csv")).size(), 0);
  EXPECT_GT(QFile(folder.filePath("Spectrum.bmp")).size(), 0);

  bool aboutShown = false;
  WhenModal([&](QWidget* modal) { aboutShown = modal != nullptr && modal == AboutBox; });
  form->AboutItem->trigger();
  EXPECT_TRUE(aboutShown);

  form->DeleteAll1->trigger();
  EXPECT_TRUE(form->Spectra().Empty());
  EXPECT_EQ(form->cht1->SeriesCount(), 0);
  EXPECT_EQ(form->lst1->count(), 0);
  EXPECT_EQ(desktop.messages(),
            std::vector<RecordedMessage>{InformationMessage("Export Completed")});
  form->close();
  form.reset();
}

}  // namespace
