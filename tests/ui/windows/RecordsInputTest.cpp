// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "tests/ui/windows/RecordsWindowFixture.h"

namespace {

struct BadInput {
  const char* what;
  QLineEdit* TRecordsForm::*field;
  const char* text;
  const char* message;
  bool typedTarget = false;
};

void PrintTo(const BadInput& c, std::ostream* out) { *out << c.what; }

class RecordsBadInputTest : public RecordsWindowTest,
                            public ::testing::WithParamInterface<BadInput> {
 protected:
  void SetUp() override {
    RecordsWindowTest::SetUp();
    Add({WriteRecord("a.txt", 300)});
    Create("S");
    records->edtPeriods->setText("1.0");
    records->show();
    QApplication::setActiveWindow(records);
    ASSERT_TRUE(QTest::qWaitForWindowActive(records));
    desktop.Clear();
  }
};

TEST_P(RecordsBadInputTest, WarnsFocusesTheFieldAndChangesNothing) {
  const BadInput& c = GetParam();
  if (c.typedTarget) {
    records->cbbTarget->setCurrentIndex(1);
    records->cbbTargetChange();
  }
  QLineEdit* field = records->*c.field;
  field->setText(QString::fromUtf8(c.text));
  const RecordInputs before = records->Inputs();
  records->btnCheck->click();
  EXPECT_EQ(desktop.messages(),
            std::vector<RecordedMessage>{WarningMessage(QString::fromUtf8(c.message))});
  EXPECT_EQ(QApplication::focusWidget(), field);
  EXPECT_EQ(field->text(), QString::fromUtf8(c.text));
  EXPECT_EQ(records->Inputs().damping, before.damping);
  EXPECT_EQ(records->Inputs().periods, before.periods);
  EXPECT_EQ(records->Inputs().design, before.design);
  EXPECT_FALSE(records->Check().has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RecordsBadInputTest,
    ::testing::Values(
        BadInput{"damping not a number", &TRecordsForm::edtDamping, "abc",
                 "\"abc\" is not a valid floating number!"},
        BadInput{"damping negative", &TRecordsForm::edtDamping, "-0.01",
                 "Damping ratio must be postive."},
        BadInput{"damping one", &TRecordsForm::edtDamping, "1",
                 "Damping ratio must be less than 1."},
        BadInput{"typed target zero", &TRecordsForm::edtTargetPga, "0",
                 "Target PGA must be greater than 0 cm/s2 and at most 9806.65 cm/s2 (10 g).", true},
        BadInput{"typed target text", &TRecordsForm::edtTargetPga, "70 gal",
                 "\"70 gal\" is not a valid floating number!", true},
        BadInput{"no periods", &TRecordsForm::edtPeriods, " , ",
                 "Please Input the main periods T1, T2 ... in seconds."},
        BadInput{"second period bad", &TRecordsForm::edtPeriods, "1.2, x1",
                 "\"x1\" is not a valid floating number!"},
        BadInput{"period beyond 6 s", &TRecordsForm::edtPeriods, "1.2, 6.5",
                 "Main periods must be at least 0.001 s and at most 6 s."},
        BadInput{"period zero", &TRecordsForm::edtPeriods, "0",
                 "Main periods must be at least 0.001 s and at most 6 s."},
        BadInput{"period below the shortest", &TRecordsForm::edtPeriods, "1.2, 0.0005",
                 "Main periods must be at least 0.001 s and at most 6 s."},
        BadInput{"tolerance zero", &TRecordsForm::edtTolerance, "0",
                 "Tolerance must be greater than 0 % and less than 100 %."},
        BadInput{"scale band of one number", &TRecordsForm::edtScaleBand, "4",
                 "Please input the scale factor band as its low and high bounds, e.g. 0.25, 4."},
        BadInput{"scale band reversed", &TRecordsForm::edtScaleBand, "4, 0.25",
                 "The scale factor band needs a low bound above 0 and below its high bound, and a "
                 "high bound of at most 1000."}));

TEST_F(RecordsWindowTest, BadStepOpensNoDialog) {
  records->edtStep->setText("0");
  records->btnAdd->click();
  EXPECT_TRUE(desktop.openDialogs().empty());
  EXPECT_EQ(desktop.Texts(MessageKind::Warning),
            std::vector<QString>{"Time step must be greater than 0 s."});
}

TEST_F(RecordsWindowTest, OneColumnRecordsTakeTheTypedStepAndUnit) {
  records->edtStep->setText("0.005");
  records->cbbUnits->setCurrentIndex(3);  // cm/s2
  Add({WriteFile("one.txt", "0\n98.0665\n-49.03325\n0\n")});
  ASSERT_EQ(records->Records().size(), 1u);
  EXPECT_EQ(records->Records()[0].motion->step, 0.005);
  EXPECT_DOUBLE_EQ(records->Records()[0].peak, 0.1);
}

TEST_F(RecordsWindowTest, APeerRecordThatNamesNoUnitTakesThePickedOne) {
  const QString path = WriteFile("quake.AT2",
                                 "PEER record\nNo unit line\nACCELERATION IN FURLONGS\n"
                                 "NPTS=  3, DT= .01000 SEC\n 0.0 98.0665 -49.03325\n");
  Add({path});
  EXPECT_TRUE(records->Records().empty());
  ASSERT_EQ(desktop.Texts(MessageKind::Warning).size(), 1u);
  EXPECT_TRUE(desktop.Texts(MessageKind::Warning)[0].startsWith("quake.AT2, line 3"));
  records->cbbUnits->setCurrentIndex(3);  // cm/s2
  Add({path});
  ASSERT_EQ(records->Records().size(), 1u);
  EXPECT_DOUBLE_EQ(records->Records()[0].peak, 0.1);
}

TEST_F(RecordsWindowTest, CheckWithoutADesignSpectrumSaysWhatIsMissing) {
  Add({WriteRecord("a.txt", 300)});
  records->edtPeriods->setText("1");
  records->btnCheck->click();
  EXPECT_EQ(desktop.Texts(MessageKind::Warning),
            std::vector<QString>{"No design spectrum to check against: create one in the main "
                                 "window first (Edit, Create)."});
  EXPECT_TRUE(records->Inputs().periods.empty());
}

TEST_F(RecordsWindowTest, CheckWithoutRecordsSaysWhatIsMissing) {
  CheckAgainst("S", "1");
  EXPECT_EQ(desktop.Texts(MessageKind::Warning),
            std::vector<QString>{"No record to check: add ground motion records first."});
}

TEST_F(RecordsWindowTest, PeriodsAreSeparatedBySemicolonsWhenTheDecimalSeparatorIsAComma) {
  Create("S");
  desktop.SetDecimalSymbol(",");
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(form.get(), &change);
  QCoreApplication::sendEvent(records, &change);
  EXPECT_EQ(records->edtPeriods->placeholderText(), "1,5; 0,5");
  Add({WriteRecord("a.txt", 300)});
  records->edtPeriods->setText("1,5; 0,5");
  records->btnCheck->click();
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_EQ(records->Inputs().periods, (std::vector<double>{1.5, 0.5}));
  desktop.SetDecimalSymbol(".");
  QCoreApplication::sendEvent(form.get(), &change);
  QCoreApplication::sendEvent(records, &change);
}

}  // namespace
