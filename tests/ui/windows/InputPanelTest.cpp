#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "chart/widget/ResponseChartView.h"
#include "tests/ui/windows/MainWindowFixture.h"
#include "ui/widgets/LinkLabel.h"
#include "ui/widgets/SpectrumCheckList.h"

namespace {

TEST_F(MainWindowTest, StartsWithTheDefaultInputsAndAnEmptySet) {
  EXPECT_EQ(form->windowTitle(), "Tremvale ( by Kestrin ) ");
  EXPECT_EQ(form->client->size(), QSize(931, 437));
  EXPECT_EQ(form->edt4->text(), "Spectrum-1");
  EXPECT_EQ(form->cbb1->currentText(), "GB 50011-2010");
  EXPECT_EQ(form->cbb2->currentText(), "6 ( 0.05 g )");
  EXPECT_EQ(form->cbb3->currentText(), "Frequently earthquake");
  EXPECT_EQ(form->cbb4->currentText(), "I0");
  EXPECT_EQ(form->cbb5->currentText(), "1st Group");
  EXPECT_EQ(form->edt1->text(), "0.04");
  EXPECT_EQ(form->edt2->text(), "0.2");
  EXPECT_EQ(form->edt5->text(), "0.05");
  for (QComboBox* list : {form->cbb1, form->cbb2, form->cbb3, form->cbb4, form->cbb5})
    EXPECT_FALSE(list->isEditable());
  EXPECT_EQ(form->cbb2->count(), 6);
  EXPECT_EQ(form->cbb5->itemText(2), "3th Group");

  const ResponseInputs& inputs = form->Inputs();
  EXPECT_EQ(inputs.codeType, 0);
  EXPECT_EQ(inputs.alphaMax, 0.04);
  EXPECT_EQ(inputs.tg, 0.2);
  EXPECT_EQ(inputs.damping, 0.05);
  EXPECT_EQ(inputs.name, "Response1");

  EXPECT_TRUE(form->Spectra().Empty());
  EXPECT_EQ(form->lst1->count(), 0);
  EXPECT_TRUE(desktop.messages().empty());

  // The desktop opens each kind of file where the user last saved one; the home folder at first.
  EXPECT_EQ(form->dlgSave1.startFolder, QDir::homePath());
  EXPECT_EQ(form->dlg1.startFolder, QDir::homePath());

  EXPECT_EQ(form->rzfldsts3->text(), "  Kestrin  ");
  EXPECT_EQ(form->rzfldsts1->text(), "  Welcome to my Website :");
  EXPECT_EQ(form->rzfldsts2->text(), " www.kestrin.cn");
}

TEST_F(MainWindowTest, MenuHoldsTheCommandsInOrder) {
  const QList<QAction*> menus = form->menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[0]->text(), "Edit");
  EXPECT_EQ(menus[1]->text(), "Tools");
  EXPECT_EQ(menus[2]->text(), "Help");
  QStringList items;
  for (QAction* action : form->Edit1->actions()) {
    items << action->text();
    EXPECT_TRUE(action->shortcut().isEmpty());
  }
  EXPECT_EQ(items, QStringList({"Create", "Delete", "Delete All", "Save Data", "Save Picture"}));
  EXPECT_EQ(form->AboutItem->text(), "About Tremvale");
  ASSERT_EQ(form->Tools1->actions().size(), 1);
  EXPECT_EQ(form->Records1->text(), "Ground Motion Records...");
  EXPECT_TRUE(form->Records1->shortcut().isEmpty());
}

TEST_F(MainWindowTest, WebsitePaneAsksTheDesktopToOpenTheAddress) {
  emit form->rzfldsts2->clicked();
  EXPECT_EQ(desktop.addresses(), std::vector<QString>{"www.kestrin.cn"});
}

struct ListPick {
  const char* what;
  std::vector<std::pair<int, int>> picks;  // (list number 1..5, position)
  const char* alphaMax;
  const char* tg;
};

void PrintTo(const ListPick& c, std::ostream* out) { *out << c.what; }

class ListChangeTest : public MainWindowTest, public ::testing::WithParamInterface<ListPick> {};

TEST_P(ListChangeTest, RefillsAlphaMaxAndTg) {
  QComboBox* lists[] = {form->cbb1, form->cbb2, form->cbb3, form->cbb4, form->cbb5};
  for (auto [list, position] : GetParam().picks) {
    lists[list - 1]->setCurrentIndex(position);
    emit lists[list - 1]->activated(position);
  }
  EXPECT_EQ(form->edt1->text(), GetParam().alphaMax);
  EXPECT_EQ(form->edt2->text(), GetParam().tg);
  EXPECT_EQ(form->Inputs().alphaMax, form->edt1->text().toDouble());
  EXPECT_EQ(form->Inputs().tg, form->edt2->text().toDouble());
}

INSTANTIATE_TEST_SUITE_P(
    Picks, ListChangeTest,
    ::testing::Values(ListPick{"rare 7 (0.15 g)", {{2, 2}, {3, 2}}, "0.72", "0.2"},
                      ListPick{"8 (0.30 g) rare", {{2, 4}, {3, 2}}, "1.2", "0.2"},
                      ListPick{"9 fortification", {{2, 5}, {3, 1}}, "0.9", "0.2"},
                      ListPick{"IV third group", {{4, 4}, {5, 2}}, "0.04", "0.9"},
                      ListPick{"III second group", {{4, 3}, {5, 1}}, "0.04", "0.55"},
                      ListPick{"edition alone", {{1, 1}}, "0.04", "0.2"}));

TEST_F(MainWindowTest, ListChangeOverwritesTypedValuesButKeepsNameAndDamping) {
  form->edt1->setText("0.3");
  form->edt2->setText("7");
  form->edt4->setText("Mine");
  form->edt5->setText("0.02");
  form->cbb1->setCurrentIndex(1);
  emit form->cbb1->activated(1);
  EXPECT_EQ(form->Inputs().codeType, 1);
  EXPECT_EQ(form->edt1->text(), "0.04");
  EXPECT_EQ(form->edt2->text(), "0.2");
  EXPECT_EQ(form->edt4->text(), "Mine");
  EXPECT_EQ(form->edt5->text(), "0.02");
}

struct BadInput {
  const char* what;
  QString name, alphaMax, tg, damping;
  QString message;
  int focus;  // 4, 1, 2 or 5: the edit field that gets the focus
};

void PrintTo(const BadInput& c, std::ostream* out) { *out << c.what; }

class ReadInputsTest : public MainWindowTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(ReadInputsTest, ShowsTheFirstFailureAndFocusesItsField) {
  ShowActive();
  const BadInput& input = GetParam();
  form->edt4->setText(input.name);
  form->edt1->setText(input.alphaMax);
  form->edt2->setText(input.tg);
  form->edt5->setText(input.damping);
  form->Button1->setFocus();
  form->Button1->click();
  EXPECT_EQ(desktop.messages(), std::vector<RecordedMessage>{WarningMessage(input.message)});
  QLineEdit* fields[] = {nullptr, form->edt1, form->edt2, nullptr, form->edt4, form->edt5};
  EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(fields[input.focus]));
  EXPECT_TRUE(form->Spectra().Empty());
  EXPECT_EQ(form->lst1->count(), 0);
  EXPECT_EQ(form->edt1->text(), input.alphaMax);  // the user's texts stay
}

const QString kLong = QString(20, 'a');
const QString kTwoByte = QString(10, QChar(0x00E9));  // ten "é", twenty UTF-8 bytes

INSTANTIATE_TEST_SUITE_P(
    Messages, ReadInputsTest,
    ::testing::Values(
        BadInput{"20 letters", kLong, "0.04", "0.2", "0.05",
                 "Response Name must be less than 20 letters.", 4},
        BadInput{"20 bytes", kTwoByte, "0.04", "0.2", "0.05",
                 "Response Name must be less than 20 letters.", 4},
        BadInput{"blanks only", "   \t ", "0.04", "0.2", "0.05", "Please Input Response Name.", 4},
        BadInput{"name before alpha", "", "abc", "0.2", "0.05", "Please Input Response Name.", 4},
        BadInput{"alpha text", "A", " abc", "0.2", "0.05",
                 "\" abc\" is not a valid floating number!", 1},
        BadInput{"alpha negative", "A", "-0.01", "0.2", "0.05", "AlphaMax must be postive.", 1},
        BadInput{"alpha before tg", "A", "x", "y", "0.05", "\"x\" is not a valid floating number!",
                 1},
        BadInput{"tg text", "A", "0.04", "1,5", "0.05", "\"1,5\" is not a valid floating number!",
                 2},
        BadInput{"tg negative", "A", "0.04", "-1", "0.05",
                 "Characteristic Groud Period must be postive.", 2},
        BadInput{"damping empty", "A", "0.04", "0.2", "", "\"\" is not a valid floating number!",
                 5},
        BadInput{"damping negative", "A", "0.04", "0.2", "-0.05", "Damping ratio must be postive.",
                 5}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

TEST_F(MainWindowTest, AcceptsNineteenLettersZeroValuesAndTrimsTheName) {
  form->edt4->setText(" \t" + QString(19, 'n') + "  ");
  form->edt1->setText("0");
  form->edt2->setText("-0");
  form->edt5->setText("0");
  ASSERT_EQ(form->ReadInputs(), 0);
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_EQ(form->Inputs().name, std::string(19, 'n'));
  EXPECT_EQ(form->Inputs().alphaMax, 0.0);
  EXPECT_EQ(form->Inputs().damping, 0.0);
}

TEST_F(MainWindowTest, NumberTooLargeForADoubleEndsTheCommandOnTheErrorDisplay) {
  ShowActive();
  form->Button1->setFocus();
  form->edt1->setText("1e400");
  form->Button1->click();
  EXPECT_EQ(desktop.messages(),
            std::vector<RecordedMessage>{ErrorMessage("Floating point overflow.")});
  EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(form->Button1));
  EXPECT_TRUE(form->Spectra().Empty());
  // The name was stored before the failing number.
  EXPECT_EQ(form->Inputs().name, "Spectrum-1");
}

// A Sa beyond the double range is found before anything is added: no list item, series or
// row is left behind, and what was there stays.
TEST_F(MainWindowTest, SaBeyondTheDoubleRangeCreatesNothing) {
  Create("A");
  desktop.Clear();
  form->edt1->setText("1.7e308");
  form->edt5->setText("0");
  Create("B");
  EXPECT_EQ(desktop.messages(),
            std::vector<RecordedMessage>{ErrorMessage("Floating point overflow.")});
  EXPECT_EQ(form->Spectra().Size(), 1u);
  EXPECT_EQ(form->lst1->count(), 1);
  EXPECT_EQ(form->cht1->SeriesCount(), 1);
  EXPECT_EQ(GridRows(), 2);
  EXPECT_EQ(Cell(0, 1), "A");
}

TEST_F(MainWindowTest, LaterCreateUsesOnlyItsOwnCheckedValues) {
  form->edt1->setText("0.5");
  form->edt2->setText("oops");
  form->Button1->click();
  ASSERT_EQ(desktop.messages().size(), 1u);
  form->edt1->setText("0.08");
  form->edt2->setText("0.35");
  form->cbb1->setCurrentIndex(1);
  emit form->cbb1->activated(1);  // refills edt1/edt2 from the tables
  form->edt1->setText("0.08");
  form->edt2->setText("0.35");
  form->Button1->click();
  ASSERT_EQ(form->Spectra().Size(), 1u);
  const DesignSpectrum& made = form->Spectra().At(0);
  EXPECT_EQ(made.alphaMax, 0.08);
  EXPECT_EQ(made.tg, 0.35);
  EXPECT_EQ(made.damping, 0.05);
  EXPECT_EQ(made.codeType, 1);
}

TEST_F(MainWindowTest, CommaSeparatorFromTheRegionalSettings) {
  desktop.SetDecimalSymbol(",");
  form = std::make_unique<TForm1>(desktop);
  EXPECT_EQ(form->edt1->text(), "0,04");
  EXPECT_EQ(form->edt2->text(), "0,2");
  EXPECT_EQ(Cell(2, 0), "0,05");
  // The start-up inputs pass Create as they stand.
  EXPECT_EQ(form->edt5->text(), "0,05");
  Create("Start");
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_EQ(form->Inputs().damping, 0.05);
  form->edt5->setText("0.05");
  form->Button1->click();
  EXPECT_EQ(desktop.Texts(MessageKind::Warning),
            std::vector<QString>{"\"0.05\" is not a valid floating number!"});
  form->edt4->setText("Second");
  form->edt5->setText("0,05");
  form->Button1->click();
  ASSERT_EQ(form->Spectra().Size(), 2u);
  EXPECT_EQ(Cell(1, 1), "0,018000");
}

TEST_F(MainWindowTest, RegionalSettingsChangeIsReadAgain) {
  Create("A");
  desktop.SetDecimalSymbol(",");
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(form.get(), &change);
  EXPECT_EQ(Cell(3, 0), "0,1");
  EXPECT_EQ(Cell(1, 1), "0,018000");
  form->edt1->setText("0,04");
  form->edt2->setText("0,2");
  form->edt5->setText("0,05");
  EXPECT_EQ(form->ReadInputs(), 0);
  EXPECT_EQ(form->Inputs().tg, 0.2);
  desktop.SetDecimalSymbol(".");
  QCoreApplication::sendEvent(form.get(), &change);
  EXPECT_EQ(Cell(3, 0), "0.1");
}

}  // namespace
