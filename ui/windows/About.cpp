// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/About.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "ui/platform/AppResources.h"
#include "ui/platform/AuthorInfo.h"
#include "ui/platform/Captions.h"
#include "ui/platform/Fonts.h"
#include "ui/widgets/LinkLabel.h"

TAboutBox* AboutBox = nullptr;

namespace {

QLabel* AddLabel(QWidget* panel, const QRect& place, const QString& text, int pixelSize, bool bold,
                 bool wrapped) {
  auto* label = new QLabel(panel);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  label->setFont(WindowFont(pixelSize, bold));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(wrapped);
  QPalette colours = label->palette();
  colours.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(colours);
  label->setGeometry(place);
  return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* owner, Desktop& desktop) : QDialog(owner), desktop_(desktop) {
  LoadResources();
  setWindowTitle(caption::About());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(548, 210);
  setFont(WindowFont(11));

  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  // A lowered outer and a raised inner bevel.
  Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Panel1->setGeometry(7, 6, 533, 170);

  img1 = new QLabel(Panel1);
  img1->setPixmap(QPixmap(resource::kAboutPicture));
  img1->setScaledContents(true);
  img1->setGeometry(23, 12, 55, 55);

  // One line is 14 pixels high, not 13: the Linux fonts at 12 px need one pixel more for
  // descenders. lbl7 (60, not 55) and lbl6 (92, not 86) are wider: their texts are wider in
  // these fonts.
  const QString author = QString::fromUtf8(author::kName);
  lbl3 = AddLabel(Panel1, {96, 9, 208, 20}, caption::kProgram, 16, false, false);
  lbl1 =
      AddLabel(Panel1, {95, 34, 191, 14}, QString::fromUtf8(author::kDescription), 12, true, false);
  Version = AddLabel(Panel1, {95, 53, 122, 14}, QString::fromUtf8(author::kDate), 12, true, false);
  lbl4 = AddLabel(Panel1, {95, 70, 186, 14}, QStringLiteral("Author : ") + author, 12, true, false);
  // The licence shares the date's row, in the room right of the short texts.
  lbl9 = AddLabel(Panel1, {310, 53, 210, 14}, QString::fromUtf8(author::kLicence), 12, true, false);
  lbl2 =
      AddLabel(Panel1, {142, 89, 369, 26}, QString::fromUtf8(author::kInstitution), 12, true, true);
  Comments =
      AddLabel(Panel1, {142, 108, 165, 26},
               QStringLiteral("E-mail : ") + QString::fromUtf8(author::kEmail), 12, true, true);
  lbl8 =
      AddLabel(Panel1, {142, 128, 87, 14}, QString::fromUtf8(author::kMessenger), 12, true, false);
  lbl7 = AddLabel(Panel1, {142, 147, 60, 14}, QStringLiteral("Website : "), 12, true, false);

  lbl6 = new LinkLabel(QString::fromUtf8(author::kWebsite), Panel1);
  lbl6->setFont(WindowFont(12, true));
  lbl6->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lbl6->setGeometry(204, 147, 92, 14);
  connect(lbl6, &LinkLabel::clicked, this, &TAboutBox::lbl6Click);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setGeometry(236, 181, 76, 25);
  OKButton->setDefault(true);
  OKButton->setFocus();
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::setVisible(bool visible) {
  if (visible) {
    CentreOverOwner();
    lbl6->ResetLook();
  }
  QDialog::setVisible(visible);
}

void TAboutBox::CentreOverOwner() {
  const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
  if (owner == nullptr) return;
  // The dialog's frame is not known before it is shown; the owner's is a close guess.
  const QRect ownerFrame = owner->frameGeometry();
  const QRect ownerClient = owner->geometry();
  const QSize frameSize = size() + (ownerFrame.size() - ownerClient.size());
  QPoint topLeft = ownerFrame.center() - QPoint(frameSize.width() / 2, frameSize.height() / 2);
  // Keep it on the owner's screen, title bar first.
  if (const QScreen* screen = owner->screen()) {
    const QRect desk = screen->availableGeometry();
    topLeft.setX(
        std::max(desk.left(), std::min(topLeft.x(), desk.right() + 1 - frameSize.width())));
    topLeft.setY(
        std::max(desk.top(), std::min(topLeft.y(), desk.bottom() + 1 - frameSize.height())));
  }
  move(topLeft);
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
  // Escape does not close the About box; the default button and the title bar do.
  if (event->key() == Qt::Key_Escape || event->matches(QKeySequence::Cancel)) {
    event->ignore();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TAboutBox::lbl6Click() { desktop_.OpenAddress(QString::fromUtf8(author::kWebsite)); }

void ShowAboutBox(QWidget* owner, Desktop& desktop) {
  // The owner may go away during the modal loop and take the dialog with it.
  struct Showing {
    QPointer<TAboutBox> box;
    ~Showing() {
      delete box.data();
      AboutBox = nullptr;
    }
  } showing{new TAboutBox(owner, desktop)};
  AboutBox = showing.box;
  showing.box->exec();
}
