// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/LinkLabel.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>

namespace {

class LinkLabelTest : public ::testing::Test {
 protected:
  LinkLabelTest() : label(QStringLiteral("www.example.cn")) {
    label.setGeometry(40, 40, 120, 16);
    label.show();
  }
  QColor TextColour() const { return label.palette().color(QPalette::WindowText); }

  LinkLabel label;
};

// Real moves through the window system: they reach the label only if it tracks the mouse.
TEST_F(LinkLabelTest, MoveTurnsBlueUnderlinedAndLeaveTurnsBack) {
  QTest::mouseMove(&label, QPoint(5, 5));
  EXPECT_EQ(TextColour(), QColor(0, 0, 255));
  EXPECT_TRUE(label.font().bold());
  EXPECT_TRUE(label.font().underline());

  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&label, &leave);
  EXPECT_EQ(TextColour(), QColor(0, 0, 0));
  EXPECT_TRUE(label.font().bold());
  EXPECT_FALSE(label.font().underline());
}

TEST_F(LinkLabelTest, HoverKeepsFamilyAndSizeGivenByOwner) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(12);
  label.setFont(font);
  QTest::mouseMove(&label, QPoint(5, 5));
  label.ResetLook();
  EXPECT_EQ(label.font().pixelSize(), 12);
  EXPECT_EQ(label.font().family(), QStringLiteral("Liberation Sans"));
  EXPECT_TRUE(label.font().bold());
  EXPECT_EQ(TextColour(), QColor(0, 0, 0));
}

TEST_F(LinkLabelTest, OnlyLeftPressAndReleaseInsideClick) {
  QSignalSpy spy(&label, &LinkLabel::clicked);
  QTest::mouseClick(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
  EXPECT_EQ(spy.count(), 1);
  QTest::mouseClick(&label, Qt::RightButton, Qt::NoModifier, QPoint(10, 8));
  QTest::mousePress(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
  QTest::mouseRelease(&label, Qt::LeftButton, Qt::NoModifier, QPoint(300, 8));
  EXPECT_EQ(spy.count(), 1);
}

}  // namespace
