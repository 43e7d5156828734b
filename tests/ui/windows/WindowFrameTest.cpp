#include <QGroupBox>
#include <QScreen>

#include "tests/ui/windows/MainWindowFixture.h"
#include "ui/widgets/GradientStatusBar.h"
#include "ui/windows/GraphPanelForm.h"
#include "ui/windows/RecordsForm.h"

namespace {

// The title bar is the frame's top edge; it must lie on the screen's available area, from the
// frame's left end (the caption and the system menu) on.
void ExpectTitleBarOnScreen(const QWidget& window) {
  const QRect available = window.screen()->availableGeometry();
  const QRect frame = window.frameGeometry();
  EXPECT_TRUE(available.contains(frame.topLeft())) << window.windowTitle().toStdString();
  if (frame.width() <= available.width()) {
    EXPECT_TRUE(available.contains(frame.topRight())) << window.windowTitle().toStdString();
  }
}

TEST_F(MainWindowTest, MaximisedTheStatusBarFollowsTheBottomEdgeAndTheBoxesStay) {
  EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
  form->showMaximized();
  QCoreApplication::processEvents();
  EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
  for (QSize size : {form->size(), QSize(1500, 900)}) {
    form->resize(size);
    const QSize client = form->client->size();
    EXPECT_GT(client.height(), 437);
    EXPECT_EQ(form->rzstsbr1->geometry(), QRect(0, client.height() - 24, client.width(), 24));
    EXPECT_EQ(form->grp1->geometry(), QRect(6, 2, 275, 406));
    EXPECT_EQ(form->grp2->geometry(), QRect(284, 2, 643, 265));
    EXPECT_EQ(form->grp4->geometry(), QRect(284, 267, 643, 141));
  }
  form->showNormal();
  form->resize(0, 0);  // never smaller than the form
  EXPECT_EQ(form->client->size(), QSize(931, 437));
  EXPECT_EQ(form->rzstsbr1->geometry(), QRect(0, 413, 931, 24));
}

// The test screen (800 px wide) is narrower than the main window and the graph panel, as a
// 1600 px screen is at a scale factor of 2.
TEST_F(MainWindowTest, EveryWindowOpensWithItsTitleBarOnTheScreen) {
  form->show();
  ExpectTitleBarOnScreen(*form);

  form->cht1DblClick();
  ASSERT_TRUE(Form2);
  ExpectTitleBarOnScreen(*Form2);
  form->cht1DblClick();

  form->Records1->trigger();
  TRecordsForm* records = form->RecordsForm;
  ASSERT_NE(records, nullptr);
  ExpectTitleBarOnScreen(*records);
  EXPECT_LT(records->width(), 1240) << "clamped to the screen";
  const QRect available = records->screen()->availableGeometry();
  EXPECT_LE(records->width(), std::max(available.width(), records->minimumWidth()));
  EXPECT_LE(records->frameGeometry().height(), available.height());
}

}  // namespace
