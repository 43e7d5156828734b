// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/About.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <vector>

#include "tests/support/RecordingDesktop.h"
#include "tests/support/WhenModal.h"
#include "ui/widgets/LinkLabel.h"

namespace {

class AboutBoxTest : public ::testing::Test {
 protected:
  AboutBoxTest() {
    owner.setGeometry(50, 60, 700, 500);
    owner.show();
  }

  // Runs the About command; `inspect` sees the open dialog, which is closed afterwards.
  void ShowAbout(const std::function<void(TAboutBox& box)>& inspect) {
    bool seen = false;
    WhenModal([&](QWidget* modal) {
      ASSERT_NE(AboutBox, nullptr);
      ASSERT_EQ(modal, AboutBox);
      seen = true;
      inspect(*AboutBox);
    });
    ShowAboutBox(&owner, desktop);
    EXPECT_TRUE(seen);
    EXPECT_EQ(AboutBox, nullptr);
  }

  QWidget owner;
  RecordingDesktop desktop;
};

TEST_F(AboutBoxTest, CreatedForOneShowingAndDestroyedAfter) {
  QPointer<TAboutBox> shown;
  ShowAbout([&](TAboutBox& box) { shown = &box; });
  EXPECT_TRUE(shown.isNull());
}

TEST_F(AboutBoxTest, FixedSizeWithoutMinimiseOrMaximise) {
  TAboutBox box(&owner, desktop);
  EXPECT_EQ(box.size(), QSize(548, 210));
  EXPECT_EQ(box.minimumSize(), box.maximumSize());
  EXPECT_TRUE(box.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

TEST_F(AboutBoxTest, CentredOverOwnerOnEveryShowing) {
  for (const QPoint ownerAt : {QPoint(50, 60), QPoint(10, 20)}) {
    owner.move(ownerAt);
    ShowAbout([&](TAboutBox& box) {
      const QPoint offset = box.frameGeometry().center() - owner.frameGeometry().center();
      EXPECT_LE(offset.manhattanLength(), 2) << "owner at " << ownerAt.x() << "," << ownerAt.y();
    });
  }
}

TEST_F(AboutBoxTest, StaysOnScreenWhenOwnerIsNearTheEdge) {
  const QRect desk = owner.screen()->availableGeometry();
  owner.setGeometry(desk.right() - 200, desk.bottom() - 100, 400, 300);
  ShowAbout([&](TAboutBox& box) { EXPECT_TRUE(desk.contains(box.frameGeometry())); });
}

TEST_F(AboutBoxTest, EnterCloses) {
  ShowAbout([&](TAboutBox& box) {
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_FALSE(box.isVisible());
  });
}

TEST_F(AboutBoxTest, EscapeDoesNotCloseButTitleBarDoes) {
  ShowAbout([&](TAboutBox& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
    QTest::keyClick(box.OKButton, Qt::Key_Escape);
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(box.close());
  });
}

TEST_F(AboutBoxTest, LinkStartsNormalOnEveryShowing) {
  ShowAbout([&](TAboutBox& box) {
    QTest::mouseMove(box.lbl6, QPoint(4, 4));
    EXPECT_TRUE(box.lbl6->font().underline());
  });
  ShowAbout([&](TAboutBox& box) {
    EXPECT_EQ(box.lbl6->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_FALSE(box.lbl6->font().underline());
  });
}

TEST_F(AboutBoxTest, LinkClickOpensAddressAndKeepsDialogOpen) {
  ShowAbout([&](TAboutBox& box) {
    QTest::mouseClick(box.lbl6, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_TRUE(box.isVisible());
  });
  EXPECT_EQ(desktop.addresses(), std::vector<QString>{QStringLiteral("www.kestrin.cn")});
}

// The Linux fonts at the design's pixel sizes: every text fits its label, every label lies
// inside the panel and no two texts overlap.
TEST_F(AboutBoxTest, NoTextClippedOrOverlapping) {
  TAboutBox box(&owner, desktop);
  const std::vector<QLabel*> labels = {box.lbl3, box.lbl1,     box.Version, box.lbl4, box.lbl9,
                                       box.lbl2, box.Comments, box.lbl8,    box.lbl7, box.lbl6};
  std::vector<QRect> texts;
  for (QLabel* label : labels) {
    SCOPED_TRACE(label->text().toStdString());
    const QFontMetrics metrics(label->font());
    texts.emplace_back(label->pos(),
                       QSize(metrics.horizontalAdvance(label->text()), metrics.height()));
    EXPECT_LE(texts.back().width(), label->width());
    EXPECT_LE(texts.back().height(), label->height());
    EXPECT_TRUE(box.Panel1->contentsRect().contains(label->geometry()));
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      EXPECT_FALSE(texts[i].intersects(texts[j])) << i << " / " << j;
    }
  }
}

}  // namespace
