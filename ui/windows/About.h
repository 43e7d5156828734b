// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "ui/platform/Desktop.h"

class QFrame;
class QLabel;
class QPushButton;
class LinkLabel;

// The About dialog: the program's name, the author's details, the licence, a picture and the
// website link. Fixed client area, centred over its owner on every showing; Enter or "OK" closes
// it, Escape does not, the title bar's close button does.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  TAboutBox(QWidget* owner, Desktop& desktop);

  void setVisible(bool visible) override;

  QFrame* Panel1 = nullptr;
  QLabel* img1 = nullptr;
  QLabel* lbl3 = nullptr;
  QLabel* lbl1 = nullptr;
  QLabel* Version = nullptr;
  QLabel* lbl4 = nullptr;
  QLabel* lbl9 = nullptr;
  QLabel* lbl2 = nullptr;
  QLabel* Comments = nullptr;
  QLabel* lbl8 = nullptr;
  QLabel* lbl7 = nullptr;
  LinkLabel* lbl6 = nullptr;
  QPushButton* OKButton = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void lbl6Click();
  void CentreOverOwner();

  Desktop& desktop_;
};

// The dialog while it is shown by ShowAboutBox, null otherwise.
extern TAboutBox* AboutBox;

// The About command: creates the dialog for this one showing, runs it modally, then
// destroys it and clears AboutBox, also when an exception ends the showing.
void ShowAboutBox(QWidget* owner, Desktop& desktop);
