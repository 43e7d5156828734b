// SPDX-License-Identifier: GPL-3.0-or-later
#include <QListWidget>
#include <QPointer>
#include <QStyledItemDelegate>

#include "chart/widget/ResponseChartView.h"
#include "model/DesignSpectrum.h"
#include "model/NumberText.h"
#include "tests/ui/windows/MainWindowFixture.h"
#include "ui/widgets/SpectrumCheckList.h"

namespace {

QStringList Items(const SpectrumCheckList& list) {
  QStringList items;
  for (int row = 0; row < list.count(); ++row) items << list.item(row)->text();
  return items;
}

QStringList Names(const SpectrumList& spectra) {
  QStringList names;
  for (const auto& spectrum : spectra) names << QString::fromStdString(spectrum->name);
  return names;
}

// The item's check box in viewport coordinates, as the list's delegate places it.
QRect CheckBoxRect(const QListWidget& list, int row) {
  struct Options : QStyledItemDelegate {
    using QStyledItemDelegate::initStyleOption;
  };
  QStyleOptionViewItem option;
  option.initFrom(&list);
  option.widget = &list;
  option.rect = list.visualItemRect(list.item(row));
  Options().initStyleOption(&option, list.model()->index(row, 0));
  return list.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list);
}

class SpectrumSetTest : public MainWindowTest {
 protected:
  QStringList TableNames() const {
    QStringList names;
    for (int row = 1; row < GridRows(); ++row) names << Cell(0, row);
    return names;
  }
  void CreateAll(const QStringList& names) {
    for (const QString& name : names) Create(name);
  }
};

TEST_F(SpectrumSetTest, CreateAppendsCheckedItemsWithoutMovingTheCurrentItem) {
  CreateAll({"A", "B"});
  EXPECT_EQ(form->lst1->currentRow(), -1);
  form->lst1->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  Create("C");
  EXPECT_EQ(Items(*form->lst1), QStringList({"A", "B", "C"}));
  EXPECT_EQ(Names(form->Spectra()), QStringList({"A", "B", "C"}));
  for (int row = 0; row < 3; ++row) EXPECT_TRUE(form->lst1->IsChecked(row));
  EXPECT_EQ(form->lst1->currentRow(), 0);
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_EQ(form->edt4->text(), "C");  // the fields keep their texts
}

TEST_F(SpectrumSetTest, DuplicateNamesAreExactAndCaseSensitive) {
  ShowActive();
  Create("Spectrum-1");
  Create("spectrum-1");
  EXPECT_EQ(form->Spectra().Size(), 2u);
  form->Button1->setFocus();
  Create("  Spectrum-1 ");
  EXPECT_EQ(form->Spectra().Size(), 2u);
  EXPECT_EQ(desktop.messages(),
            std::vector<RecordedMessage>{WarningMessage(
                "Response with name: \"Spectrum-1\" already exists! Please Input another Name.")});
  EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(form->edt4));
  EXPECT_EQ(form->lst1->count(), 2);
  EXPECT_EQ(GridRows(), 3);
}

TEST_F(SpectrumSetTest, NameIsTextNeverMarkup) {
  const QString markup = "<b>x</b> &amp;";
  Create(markup);
  Create(markup);
  EXPECT_EQ(form->lst1->item(0)->text(), markup);
  EXPECT_EQ(Cell(0, 1), markup);
  EXPECT_EQ(desktop.Texts(MessageKind::Warning),
            std::vector<QString>{"Response with name: \"" + markup +
                                 "\" already exists! Please Input another Name."});
}

TEST_F(SpectrumSetTest, CreateWritesTheTableRowFromTheSpectrum) {
  Create("Spectrum-1");
  ASSERT_EQ(GridRows(), 2);
  EXPECT_EQ(Cell(0, 1), "Spectrum-1");
  EXPECT_EQ(Cell(1, 1), "0.018000");
  EXPECT_EQ(Cell(2, 1), "0.029000");
  EXPECT_EQ(Cell(3, 1), "0.040000");
  EXPECT_EQ(Cell(5, 1), "0.040000");
  EXPECT_EQ(Cell(11, 1), "0.017535");
  EXPECT_EQ(Cell(21, 1), "0.009397");
  EXPECT_EQ(Cell(121, 1), "0.005397");
  EXPECT_EQ(Cell(122, 1), "");  // no column beyond 6 s
  const DesignSpectrum& spectrum = form->Spectra().At(0);
  for (int m = 0; m < kCoarsePeriodCount; ++m) {
    double sa = -1;
    ASSERT_EQ(spectrum.GetSa(CoarsePeriod(m), sa), 0);
    ASSERT_EQ(Cell(m + 1, 1), QString::fromStdString(FormatPattern("0.000000", sa, ".")))
        << "period " << m;
  }
}

TEST_F(SpectrumSetTest, EmptyTableHasHeadingsAndOneBlankRow) {
  EXPECT_EQ(GridRows(), 2);
  EXPECT_EQ(Cell(0, 0), " Name");
  EXPECT_EQ(Cell(1, 0), "0");
  EXPECT_EQ(Cell(2, 0), "0.05");
  EXPECT_EQ(Cell(3, 0), "0.1");
  EXPECT_EQ(Cell(4, 0), "0.15");
  EXPECT_EQ(Cell(120, 0), "5.95");
  EXPECT_EQ(Cell(121, 0), "6");
  for (int column = 0; column < 122; ++column) EXPECT_EQ(Cell(column, 1), "") << column;
}

struct DeleteCase {
  const char* what;
  int current;  // row made current before Delete
  QStringList left;
};

void PrintTo(const DeleteCase& c, std::ostream* out) { *out << c.what; }

class DeleteTest : public SpectrumSetTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteTest, RemovesTheCurrentSpectrumEverywhereAndRebuildsTheTable) {
  CreateAll({"A", "B", "C"});
  const QString before = Cell(40, 3);  // C's value at 1.95 s
  form->lst1->setCurrentRow(GetParam().current, QItemSelectionModel::NoUpdate);
  form->Button4->click();
  EXPECT_EQ(Items(*form->lst1), GetParam().left);
  EXPECT_EQ(Names(form->Spectra()), GetParam().left);
  EXPECT_EQ(TableNames(), GetParam().left);
  if (GetParam().left.contains("C")) {
    EXPECT_EQ(Cell(40, GetParam().left.indexOf("C") + 1), before);
  }
}

INSTANTIATE_TEST_SUITE_P(Positions, DeleteTest,
                         ::testing::Values(DeleteCase{"first", 0, {"B", "C"}},
                                           DeleteCase{"middle", 1, {"A", "C"}},
                                           DeleteCase{"last", 2, {"A", "B"}}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(SpectrumSetTest, DeleteLooksOnlyAtTheCurrentItem) {
  CreateAll({"A", "B", "C"});
  form->lst1->item(0)->setSelected(true);
  form->lst1->item(2)->setSelected(true);
  form->lst1->setCurrentRow(1, QItemSelectionModel::NoUpdate);
  form->Button4->click();
  EXPECT_EQ(Items(*form->lst1), QStringList({"A", "C"}));
}

TEST_F(SpectrumSetTest, RepeatedDeleteRunsToTheEndThenBackwards) {
  CreateAll({"A", "B", "C", "D"});
  form->lst1->setCurrentRow(1, QItemSelectionModel::NoUpdate);
  QStringList order;
  while (form->lst1->count() > 0) {
    order << form->lst1->currentItem()->text();
    form->Delete1->trigger();
  }
  EXPECT_EQ(order, QStringList({"B", "C", "D", "A"}));
  EXPECT_TRUE(form->Spectra().Empty());
  EXPECT_EQ(GridRows(), 2);
  EXPECT_EQ(Cell(0, 1), "");
}

TEST_F(SpectrumSetTest, DeleteWithoutCurrentItemChangesNothing) {
  form->Button4->click();  // empty list
  CreateAll({"A", "B"});
  form->lst1->setCurrentRow(-1);
  form->Button4->click();
  EXPECT_EQ(Items(*form->lst1), QStringList({"A", "B"}));
  EXPECT_EQ(TableNames(), QStringList({"A", "B"}));
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(SpectrumSetTest, DeleteAllEmptiesEverythingAndWorksOnAnEmptySet) {
  form->Button5->click();
  EXPECT_EQ(GridRows(), 2);
  CreateAll({"A", "B"});
  form->DeleteAll1->trigger();
  EXPECT_EQ(form->lst1->count(), 0);
  EXPECT_TRUE(form->Spectra().Empty());
  EXPECT_EQ(GridRows(), 2);
  for (int column = 0; column < 122; ++column) EXPECT_EQ(Cell(column, 1), "");
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(SpectrumSetTest, MenuCreateDoesWhatTheButtonDoes) {
  form->Create1->trigger();
  form->Create1->trigger();
  EXPECT_EQ(Items(*form->lst1), QStringList({"Spectrum-1"}));
  EXPECT_EQ(desktop.messages().size(), 1u);
}

TEST_F(SpectrumSetTest, ProgramCheckStatesRaiseNoChange) {
  int changes = 0;
  QObject::connect(form->lst1, &SpectrumCheckList::checkStateChanged, [&] { ++changes; });
  CreateAll({"A", "B"});
  form->lst1->setCurrentRow(0);
  form->Button4->click();
  form->Button5->click();
  EXPECT_EQ(changes, 0);
}

TEST_F(SpectrumSetTest, UserToggleOfACheckBoxRaisesOneChange) {
  CreateAll({"A", "B"});
  std::vector<std::pair<int, bool>> changes;
  QObject::connect(form->lst1, &SpectrumCheckList::checkStateChanged,
                   [&](int row, bool checked) { changes.emplace_back(row, checked); });
  form->lst1->item(1)->setCheckState(Qt::Unchecked);  // what the item delegate does on a click
  EXPECT_EQ(changes, (std::vector<std::pair<int, bool>>{{1, false}}));
}

class CheckBoxClickTest : public SpectrumSetTest, public ::testing::WithParamInterface<int> {};

// A real click on A's box, the press and release a mouse sends, with another item current or
// none: A's line hides, A becomes current, and Delete removes A.
TEST_P(CheckBoxClickTest, MakesTheItemCurrentSoDeleteRemovesIt) {
  ShowActive();
  CreateAll({"A", "B", "C"});
  form->lst1->setCurrentRow(GetParam(), QItemSelectionModel::NoUpdate);
  const QRect box = CheckBoxRect(*form->lst1, 0);
  ASSERT_FALSE(box.isEmpty());
  ASSERT_FALSE(box.contains(form->lst1->visualItemRect(form->lst1->item(0)).center()))
      << "the click must land on the box, not on the text";
  QTest::mouseClick(form->lst1->viewport(), Qt::LeftButton, {}, box.center());
  EXPECT_FALSE(form->lst1->IsChecked(0));
  EXPECT_FALSE(form->cht1->Series(0).Active());
  EXPECT_EQ(form->lst1->currentRow(), 0);
  form->Button4->click();
  EXPECT_EQ(Items(*form->lst1), QStringList({"B", "C"}));
  EXPECT_EQ(TableNames(), QStringList({"B", "C"}));
}

INSTANTIATE_TEST_SUITE_P(CurrentBefore, CheckBoxClickTest, ::testing::Values(2, -1),
                         [](const auto& info) {
                           return info.param < 0 ? std::string("None")
                                                 : "Row" + std::to_string(info.param);
                         });

TEST_F(SpectrumSetTest, ItemsAre17PixelsHighWhateverTheName) {
  ShowActive();
  CreateAll({"line1\nline2", "A", "x\r\ny"});
  for (int row = 0; row < form->lst1->count(); ++row) {
    EXPECT_EQ(form->lst1->visualItemRect(form->lst1->item(row)).height(), 17) << row;
  }
}

TEST_F(SpectrumSetTest, ClosingWithSpectraPresentEndsCleanly) {
  CreateAll({"A", "B", "C"});
  const QPointer<ResponseChartView> chart = form->cht1;
  const QPointer<SpectrumCheckList> list = form->lst1;
  form->show();
  form->close();
  EXPECT_FALSE(form->isVisible());
  form.reset();  // the sanitizer preset reports any leak
  EXPECT_FALSE(chart);
  EXPECT_FALSE(list);
  EXPECT_TRUE(desktop.messages().empty()) << "nothing is asked";
}

}  // namespace
