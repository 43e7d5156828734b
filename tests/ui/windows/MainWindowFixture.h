// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "tests/support/QtPrinters.h"
#include "tests/support/RecordingDesktop.h"
#include "ui/windows/Unit1.h"

// A main window on the offscreen platform, talking to a recording desktop.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { form = std::make_unique<TForm1>(desktop); }
  void TearDown() override { form.reset(); }

  // Shows and activates the window so keyboard focus can be observed.
  void ShowActive() {
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  void Create(const QString& name) {
    form->edt4->setText(name);
    form->Button1->click();
  }

  QString Cell(int column, int row) const;
  int GridRows() const;

  RecordingDesktop desktop;
  std::unique_ptr<TForm1> form;
};
