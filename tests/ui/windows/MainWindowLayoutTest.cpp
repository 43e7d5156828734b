// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionComboBox>

#include "chart/widget/ResponseChartView.h"
#include "tests/ui/windows/MainWindowFixture.h"
#include "ui/widgets/ResponseGrid.h"

namespace {

struct Placement {
  const char* what;
  QWidget* TForm1::*widget;
  QRect geometry;
};

void PrintTo(const Placement& c, std::ostream* out) { *out << c.what; }

class PlacementTest : public MainWindowTest, public ::testing::WithParamInterface<Placement> {};

TEST_P(PlacementTest, SitsWhereTheFormPutsIt) {
  form->show();
  EXPECT_EQ((form.get()->*GetParam().widget)->geometry(), GetParam().geometry);
}

template <typename T>
QWidget* TForm1::*Member(T* TForm1::*member) {
  return reinterpret_cast<QWidget * TForm1::*>(member);
}

INSTANTIATE_TEST_SUITE_P(
    Areas, PlacementTest,
    ::testing::Values(Placement{"grp1", Member(&TForm1::grp1), {6, 2, 275, 406}},
                      Placement{"grp2", Member(&TForm1::grp2), {284, 2, 643, 265}},
                      Placement{"grp4", Member(&TForm1::grp4), {284, 267, 643, 141}},
                      Placement{"grp3", Member(&TForm1::grp3), {10, 233, 257, 164}},
                      Placement{"edt4", Member(&TForm1::edt4), {123, 16, 144, 21}},
                      Placement{"edt1", Member(&TForm1::edt1), {190, 160, 77, 21}},
                      Placement{"cbb5", Member(&TForm1::cbb5), {123, 136, 144, 21}},
                      Placement{"Button3", Member(&TForm1::Button3), {11, 128, 89, 25}},
                      Placement{"lst1", Member(&TForm1::lst1), {110, 11, 137, 142}},
                      Placement{"cht1", Member(&TForm1::cht1), {2, 15, 639, 248}},
                      Placement{"strngrd1", Member(&TForm1::strngrd1), {2, 15, 639, 124}},
                      Placement{"rzstsbr1", Member(&TForm1::rzstsbr1), {0, 413, 931, 24}}),
    [](const auto& info) { return std::string(info.param.what); });

// Every caption and list entry must be readable whole with the fonts this machine has.
TEST_F(MainWindowTest, NoTextIsClipped) {
  form->show();
  for (const QLabel* label : form->findChildren<QLabel*>()) {
    if (label->text().isEmpty() || !label->isVisibleTo(form.get())) continue;
    const QFontMetrics metrics(label->font());
    const QRect inside = label->contentsRect();
    EXPECT_LE(metrics.horizontalAdvance(label->text()), inside.width())
        << label->text().toStdString();
    EXPECT_LE(metrics.height(), inside.height()) << label->text().toStdString();
  }
  for (const QPushButton* button : form->findChildren<QPushButton*>()) {
    const QFontMetrics metrics(button->font());
    EXPECT_LE(metrics.horizontalAdvance(button->text()) + 8, button->width())
        << button->text().toStdString();
  }
  for (const QComboBox* list : form->findChildren<QComboBox*>()) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list);
    const QFontMetrics metrics(list->font());
    for (int i = 0; i < list->count(); ++i)
      EXPECT_LE(metrics.horizontalAdvance(list->itemText(i)), field.width())
          << list->itemText(i).toStdString();
  }
  for (const QGroupBox* box : {form->grp1, form->grp2, form->grp4}) {
    const QFontMetrics metrics(box->font());
    EXPECT_LE(metrics.horizontalAdvance(box->title()), box->width());
  }
}

// Labels on the left of the panel must not run into the fields on their right.
TEST_F(MainWindowTest, PanelLabelsEndBeforeTheirFields) {
  for (const QLabel* label : form->grp1->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    const int right = label->x() + QFontMetrics(label->font()).horizontalAdvance(label->text());
    const int fieldLeft = label->y() >= 156 ? 190 : 123;
    EXPECT_LT(right, fieldLeft) << label->text().toStdString();
  }
}

}  // namespace
