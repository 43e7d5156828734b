#include "About.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <vector>

#include "LinkLabel.h"
#include "QtPrinters.h"
#include "RecordingDesktop.h"
#include "WhenModal.h"

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
  }

  static void MoveOver(QWidget& widget) {
    QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), widget.mapToGlobal(QPointF(4, 4)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
  }

  QWidget owner;
  RecordingDesktop desktop;
};

TEST_F(AboutBoxTest, CreatedForOneShowingAndDestroyedAfter) {
  QPointer<TAboutBox> first;
  ShowAbout([&](TAboutBox& box) {
    first = &box;
    EXPECT_TRUE(box.isModal());
    EXPECT_TRUE(box.isVisible());
  });
  EXPECT_EQ(AboutBox, nullptr);
  EXPECT_TRUE(first.isNull());

  ShowAbout([&](TAboutBox& box) { EXPECT_TRUE(box.isVisible()); });
  EXPECT_EQ(AboutBox, nullptr);
}

TEST_F(AboutBoxTest, FixedDialogFrame) {
  TAboutBox box(&owner, desktop);
  EXPECT_EQ(box.windowTitle(), QStringLiteral("About Tremvale"));
  EXPECT_EQ(box.size(), QSize(548, 210));
  EXPECT_EQ(box.minimumSize(), QSize(548, 210));
  EXPECT_EQ(box.maximumSize(), QSize(548, 210));
  const Qt::WindowFlags flags = box.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(box.font().pixelSize(), 11);
}

TEST_F(AboutBoxTest, CentredOverOwnerOnEveryShowing) {
  for (const QPoint ownerAt : {QPoint(50, 60), QPoint(10, 20)}) {
    owner.move(ownerAt);
    QApplication::processEvents();
    ShowAbout([&](TAboutBox& box) {
      const QPoint offset = box.frameGeometry().center() - owner.frameGeometry().center();
      EXPECT_LE(offset.manhattanLength(), 2) << "owner at " << ownerAt.x() << "," << ownerAt.y();
    });
  }
}

TEST_F(AboutBoxTest, StaysOnScreenWhenOwnerIsNearTheEdge) {
  const QRect desk = owner.screen()->availableGeometry();
  owner.setGeometry(desk.right() - 200, desk.bottom() - 100, 400, 300);
  QApplication::processEvents();
  ShowAbout([&](TAboutBox& box) { EXPECT_TRUE(desk.contains(box.frameGeometry())); });
}

TEST_F(AboutBoxTest, EnterClosesThroughOkButton) {
  bool closed = false;
  ShowAbout([&](TAboutBox& box) {
    EXPECT_TRUE(box.OKButton->isDefault());
    QTest::keyClick(&box, Qt::Key_Return);
    closed = !box.isVisible();
  });
  EXPECT_TRUE(closed);
}

TEST_F(AboutBoxTest, OkButtonCloses) {
  bool closed = false;
  ShowAbout([&](TAboutBox& box) {
    box.OKButton->click();
    closed = !box.isVisible();
  });
  EXPECT_TRUE(closed);
}

TEST_F(AboutBoxTest, EscapeDoesNotCloseButTitleBarDoes) {
  ShowAbout([&](TAboutBox& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
    QTest::keyClick(box.OKButton, Qt::Key_Escape);
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(box.close());
    EXPECT_FALSE(box.isVisible());
  });
}

TEST_F(AboutBoxTest, LinkStartsNormalOnEveryShowing) {
  ShowAbout([&](TAboutBox& box) {
    EXPECT_FALSE(box.lbl6->IsHighlighted());
    MoveOver(*box.lbl6);
    EXPECT_TRUE(box.lbl6->IsHighlighted());
    EXPECT_EQ(box.lbl6->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  });
  ShowAbout([&](TAboutBox& box) {
    EXPECT_FALSE(box.lbl6->IsHighlighted());
    EXPECT_EQ(box.lbl6->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_TRUE(box.lbl6->font().bold());
    EXPECT_FALSE(box.lbl6->font().underline());
  });
}

TEST_F(AboutBoxTest, LinkClickOpensAddressAndKeepsDialogOpen) {
  ShowAbout([&](TAboutBox& box) {
    QTest::mouseClick(box.lbl6, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_TRUE(box.isVisible());
  });
  EXPECT_EQ(desktop.addresses(), std::vector<QString>{QStringLiteral("www.kestrin.cn")});
  EXPECT_TRUE(desktop.messages().empty());
}

// The layout uses the Linux fonts at the pixel sizes of the design: every text must fit
// its label, every label lie inside the panel and no two texts overlap.
TEST_F(AboutBoxTest, NoTextClippedOrOverlapping) {
  TAboutBox box(&owner, desktop);
  const std::vector<QLabel*> labels = {box.lbl3,     box.lbl1, box.lbl4, box.Version, box.lbl2,
                                       box.Comments, box.lbl8, box.lbl7, box.lbl6};
  std::vector<QRect> texts;
  for (QLabel* label : labels) {
    SCOPED_TRACE(label->text().toStdString());
    const QFontMetrics metrics(label->font());
    const QSize needed(metrics.horizontalAdvance(label->text()), metrics.height());
    EXPECT_LE(needed.width(), label->width());
    EXPECT_LE(needed.height(), label->height());
    EXPECT_TRUE(box.Panel1->contentsRect().contains(label->geometry()));
    texts.emplace_back(label->pos(), needed);
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      EXPECT_FALSE(texts[i].intersects(texts[j]))
          << labels[i]->text().toStdString() << " / " << labels[j]->text().toStdString();
    }
  }
  EXPECT_FALSE(box.img1->pixmap().isNull());
  EXPECT_EQ(box.img1->size(), QSize(55, 55));
}

}  // namespace
