#include "LinkLabel.h"

#include <gtest/gtest.h>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "QtPrinters.h"

namespace {

QColor TextColour(const QLabel& label) { return label.palette().color(QPalette::WindowText); }

// A real move through the window system: it reaches the label only when it tracks the mouse.
void Move(QWidget& widget, QPoint at) { QTest::mouseMove(&widget, at); }

void Leave(QWidget& widget) {
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&widget, &leave);
}

class LinkLabelTest : public ::testing::Test {
 protected:
  LinkLabelTest() : label(QStringLiteral("www.example.cn")) {
    label.setGeometry(40, 40, 120, 16);
    label.show();
  }
  LinkLabel label;
};

TEST_F(LinkLabelTest, StartsBlackBoldWithoutUnderline) {
  EXPECT_EQ(TextColour(label), QColor(0, 0, 0));
  EXPECT_TRUE(label.font().bold());
  EXPECT_FALSE(label.font().underline());
  EXPECT_FALSE(label.IsHighlighted());
  EXPECT_EQ(label.textFormat(), Qt::PlainText);
}

TEST_F(LinkLabelTest, MoveTurnsBlueUnderlinedAndLeaveTurnsBack) {
  Move(label, {5, 5});
  EXPECT_EQ(TextColour(label), QColor(0, 0, 255));
  EXPECT_TRUE(label.font().bold());
  EXPECT_TRUE(label.font().underline());

  Leave(label);
  EXPECT_EQ(TextColour(label), QColor(0, 0, 0));
  EXPECT_TRUE(label.font().bold());
  EXPECT_FALSE(label.font().underline());
}

TEST_F(LinkLabelTest, EveryMoveKeepsTheHoverLook) {
  Move(label, {5, 5});
  Move(label, {30, 8});
  EXPECT_TRUE(label.IsHighlighted());
  EXPECT_EQ(TextColour(label), QColor(0, 0, 255));
}

TEST_F(LinkLabelTest, ResetLookRestoresNormalLook) {
  Move(label, {5, 5});
  label.ResetLook();
  EXPECT_EQ(TextColour(label), QColor(0, 0, 0));
  EXPECT_FALSE(label.font().underline());
  EXPECT_TRUE(label.font().bold());
}

TEST_F(LinkLabelTest, KeepsFamilyAndSizeGivenByOwner) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(12);
  label.setFont(font);
  Move(label, {5, 5});
  EXPECT_EQ(label.font().pixelSize(), 12);
  EXPECT_EQ(label.font().family(), QStringLiteral("Liberation Sans"));
}

TEST_F(LinkLabelTest, LeftClickInsideEmitsClicked) {
  QSignalSpy spy(&label, &LinkLabel::clicked);
  QTest::mouseClick(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
  EXPECT_EQ(spy.count(), 1);
}

TEST_F(LinkLabelTest, OtherButtonsAndReleaseOutsideDoNotClick) {
  QSignalSpy spy(&label, &LinkLabel::clicked);
  QTest::mouseClick(&label, Qt::RightButton, Qt::NoModifier, QPoint(10, 8));
  QTest::mousePress(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
  QTest::mouseRelease(&label, Qt::LeftButton, Qt::NoModifier, QPoint(300, 8));
  QTest::mouseRelease(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));  // no press
  EXPECT_EQ(spy.count(), 0);
}

}  // namespace
