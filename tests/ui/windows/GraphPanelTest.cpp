#include <QCoreApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "chart/widget/ResponseChartView.h"
#include "tests/ui/windows/MainWindowFixture.h"
#include "ui/widgets/SpectrumCheckList.h"
#include "ui/windows/GraphPanelForm.h"

namespace {

class GraphPanelTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    form->show();
  }

  void DoubleClick() {
    const QPoint centre = form->cht1->viewport()->rect().center();
    QTest::mouseDClick(form->cht1->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QCoreApplication::processEvents();
  }

  void ExpectDocked() {
    EXPECT_EQ(form->cht1->parentWidget(), static_cast<QWidget*>(form->grp2));
    EXPECT_EQ(form->cht1->geometry(), QRect(2, 15, 639, 248));
    EXPECT_EQ(form->cht1->toolTip(), "Double click to Poup the Graph Panel.");
    EXPECT_EQ(form->cht1->Tag(), 0);
    EXPECT_TRUE(form->cht1->isVisible());
  }

  // Centred over the main window, give or take the rounding of odd sizes; on a screen too
  // narrow for it, against the screen's left edge.
  void ExpectCentred(const QWidget& panel) {
    const QRect screen = panel.screen()->availableGeometry();
    const QPoint offset = panel.geometry().center() - form->geometry().center();
    if (panel.frameGeometry().width() > screen.width()) {
      EXPECT_EQ(panel.frameGeometry().left(), screen.left());
      EXPECT_LE(std::abs(offset.y()), 4) << offset.y();
    } else {
      EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << ", " << offset.y();
    }
  }

  static int OpenPanels() {
    int open = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (qobject_cast<TForm2*>(window) && window->isVisible()) ++open;
    return open;
  }
};

TEST_F(GraphPanelTest, DoubleClickPopsTheChartOutCentredAndBackIn) {
  DoubleClick();
  ASSERT_TRUE(Form2);
  TForm2* panel = Form2;
  EXPECT_EQ(form->cht1->parentWidget(), static_cast<QWidget*>(panel));
  EXPECT_EQ(panel->windowTitle(), "GraphPanel");
  EXPECT_EQ(panel->size(), QSize(857, 353));
  ExpectCentred(*panel);
  EXPECT_TRUE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(panel->testAttribute(Qt::WA_QuitOnClose));  // closing the main window ends all
  EXPECT_EQ(form->cht1->size(), QSize(857, 353));
  EXPECT_EQ(form->cht1->toolTip(), "Double click to restore the Graph Panel.");
  EXPECT_EQ(form->cht1->Tag(), 1);
  EXPECT_TRUE(form->grp2->findChildren<QWidget*>().isEmpty());

  DoubleClick();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ExpectDocked();
  EXPECT_FALSE(Form2);  // the panel is destroyed
  EXPECT_EQ(OpenPanels(), 0);
}

TEST_F(GraphPanelTest, ClosingThePanelBringsTheChartHome) {
  form->cht1DblClick();
  ASSERT_TRUE(Form2);
  Form2->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ExpectDocked();
  EXPECT_FALSE(Form2);
}

TEST_F(GraphPanelTest, EachNewPanelHasTheFormSizeAgain) {
  form->cht1DblClick();
  Form2->resize(1000, 600);
  Form2->close();
  form->cht1DblClick();
  EXPECT_EQ(Form2->size(), QSize(857, 353));
  ExpectCentred(*Form2);
}

TEST_F(GraphPanelTest, CommandsActOnTheChartWhileItIsOut) {
  Create("A");
  form->cht1DblClick();
  Create("B");
  form->lst1->item(0)->setCheckState(Qt::Unchecked);  // as the user's click does
  EXPECT_EQ(form->cht1->SeriesCount(), 2);
  EXPECT_FALSE(form->cht1->Series(0).Active());
  form->cht1DblClick();
  EXPECT_EQ(form->cht1->SeriesCount(), 2);
  EXPECT_EQ(form->cht1->Series(1).Title(), "B");
  EXPECT_FALSE(form->cht1->Series(0).Active());
}

TEST_F(GraphPanelTest, ClosingTheMainWindowEndsTheEventLoopWhileThePanelIsOpen) {
  form->cht1DblClick();
  QTimer::singleShot(0, form.get(), [this] { form->close(); });
  QTimer guard;  // only so a failure cannot hang the run
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  guard.start(10000);
  EXPECT_EQ(QApplication::exec(), 0);
}

TEST_F(GraphPanelTest, EndingTheProgramWithTheChartOutIsClean) {
  Create("A");
  form->cht1DblClick();
  form.reset();
  EXPECT_FALSE(Form2);
}

}  // namespace
