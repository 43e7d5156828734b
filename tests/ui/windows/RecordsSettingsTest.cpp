// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tests/support/FileBytes.h"
#include "tests/ui/windows/RecordsWindowFixture.h"
#include "ui/widgets/CheckTable.h"
#include "ui/widgets/RecordTable.h"

namespace {

struct DesignCase {
  const char* what;
  const char* alphaMax;
  const char* tg;
  const char* targetPga;  // the field after the spectrum is picked
  const char* note;       // a part of the notes; empty for none
};

void PrintTo(const DesignCase& c, std::ostream* out) { *out << c.what; }

class RecordsDesignTest : public RecordsWindowTest,
                          public ::testing::WithParamInterface<DesignCase> {};

TEST_P(RecordsDesignTest, TheTargetFollowsTheLevelOfThePickedSpectrum) {
  const DesignCase& c = GetParam();
  form->edt1->setText(c.alphaMax);
  form->edt2->setText(c.tg);
  Create("S");
  EXPECT_EQ(records->lblDesign->text(), QStringLiteral("GB 50011-2010, AlphaMax %1, Tg %2 s, "
                                                       "damping 0.05")
                                            .arg(c.alphaMax, c.tg));
  EXPECT_EQ(records->edtTargetPga->text(), c.targetPga);
  const QString notes = records->lblDesignNotes->text();
  if (*c.note == '\0') {
    EXPECT_EQ(notes, "");
  } else {
    EXPECT_TRUE(notes.contains(QString::fromUtf8(c.note))) << notes.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Levels, RecordsDesignTest,
    ::testing::Values(
        DesignCase{"one level", "0.16", "0.35", "70", ""},
        DesignCase{"two levels, two values", "0.12", "0.35", "50",
                   "AlphaMax 0.12 is that of 6 ( 0.05 g ), Fortification earthquake (50 cm/s²) "
                   "and of 7 ( 0.15 g), Frequently earthquake (55 cm/s²): pick"},
        DesignCase{"two levels, one value", "0.9", "0.4", "400", "adds 0.05 s to Tg"},
        DesignCase{"rare with the table Tg", "0.5", "0.4", "220",
                   "For rare earthquakes the code (GB 50011 5.1.4) adds 0.05 s to Tg; this "
                   "spectrum's Tg 0.4 s is the plain table value."},
        DesignCase{"rare with Tg increased", "0.5", "0.45", "220", "adds 0.05 s to Tg"},
        DesignCase{"rare with Tg off the table", "0.5", "0.42", "220", ""},
        DesignCase{"no level", "0.2", "0.35", "18", "AlphaMax 0.2 is of no level"}));

TEST_F(RecordsWindowTest, ATargetOfAnotherLevelIsNotedAndTheDampingFollowsUntilTyped) {
  form->edt1->setText("0.16");
  form->edt5->setText("0.03");
  Create("S");
  EXPECT_EQ(records->edtDamping->text(), "0.03");
  records->cbbIntensity->setCurrentIndex(5);
  records->cbbTargetChange();
  EXPECT_EQ(records->edtTargetPga->text(), "140");
  EXPECT_EQ(records->lblDesignNotes->text(),
            "The target PGA is that of 9 ( 0.40 g), Frequently earthquake, whose AlphaMax is "
            "0.32; the design spectrum's AlphaMax 0.16 belongs to another level.");

  records->edtDamping->setText("0.1");
  form->edt5->setText("0.02");
  Create("T");
  records->cbbDesign->setCurrentIndex(1);
  emit records->cbbDesign->activated(1);
  EXPECT_EQ(records->edtDamping->text(), "0.1");
}

TEST_F(RecordsWindowTest, EditedSettingsAreCheckedBeforeAnythingIsShownOrSaved) {
  Add({WriteRecord("a.txt", 600), WriteRecord("b.txt", 700), WriteRecord("c.txt", 800)});
  CheckAgainst("S", "0.4");
  ASSERT_TRUE(WaitForSpectra());
  ASSERT_TRUE(records->Check().has_value());

  records->edtTolerance->setText("10");
  EXPECT_FALSE(records->Check().has_value());
  EXPECT_EQ(records->grdCheck->rowCount(), 0);
  EXPECT_TRUE(records->lblVerdict->text().startsWith("The settings have changed"));
  const QString path = folder.filePath("records.csv");
  desktop.QueueSaveAnswer(path);
  records->btnSaveData->click();
  // Tolerance, T1, the shortest duration and the scale band.
  EXPECT_TRUE(ReadAll(path).contains("\r\n10,0.4,2,0.25,4\r\n"));
  ASSERT_TRUE(records->Check().has_value());
  EXPECT_FALSE(records->Stale());

  // New periods need new spectra: Enter checks, and saving waits for them.
  records->edtPeriods->setText("1.6, 0.4");
  QTest::keyClick(records->edtPeriods, Qt::Key_Return);
  EXPECT_EQ(records->Inputs().periods, (std::vector<double>{1.6, 0.4}));
  desktop.Clear();
  records->btnSaveData->click();
  EXPECT_EQ(desktop.messages(),
            std::vector<RecordedMessage>{InformationMessage(
                "The spectra are still being computed; save them when they are ready.")});
  ASSERT_TRUE(WaitForSpectra());
  EXPECT_EQ(records->Check()->periods.size(), 2u);
}

TEST_F(RecordsWindowTest, SpectraAreSavedWithTheEditedSettingsWithoutACheck) {
  Add({WriteRecord("a.txt", 600)});
  ASSERT_TRUE(WaitForSpectra());
  form->edt5->setText("0.03");
  Create("S");  // the records' damping follows the new spectrum's
  ASSERT_TRUE(records->Stale());
  records->btnSaveData->click();  // the spectra are computed anew first
  ASSERT_TRUE(WaitForSpectra());
  const QString path = folder.filePath("records.csv");
  desktop.QueueSaveAnswer(path);
  records->btnSaveData->click();
  EXPECT_EQ(desktop.Texts(MessageKind::Warning), std::vector<QString>{});
  EXPECT_TRUE(ReadAll(path).contains("\r\nDampingRatio,0.03\r\n"));
}

TEST_F(RecordsWindowTest, TheVerdictNamesTheSetRuleAndRecordsScaledOutsideTheBand) {
  Add({WriteRecord("faint.txt", 3000, 0.001, 0.3)});
  CheckAgainst("S", "0.3");
  ASSERT_TRUE(WaitForSpectra());
  const QStringList verdict = records->lblVerdict->text().split('\n');
  ASSERT_EQ(verdict.size(), 2);
  EXPECT_TRUE(verdict[0].startsWith("Fail: ")) << verdict[0].toStdString();
  EXPECT_TRUE(verdict[0].contains("; fewer than 3 records.")) << verdict[0].toStdString();
  EXPECT_TRUE(verdict[1].startsWith("Warning: 1 record scaled outside 0.25 to 4: faint.txt (18."))
      << verdict[1].toStdString();
}

TEST_F(RecordsWindowTest, AFailedRecordIsCountedAndSaveDataNamesIt) {
  // Motion near the end of the range of numbers: its spectra overflow.
  Add({WriteRecord("a.txt", 600), WriteRecord("huge.txt", 600, 1e308)});
  ASSERT_TRUE(WaitForSpectra());
  EXPECT_EQ(records->lblStatus->text(), "Spectra ready: 1 of 2. 1 record failed.");
  EXPECT_EQ(records->grdRecords->item(1, RecordTable::Spectrum)->text(), "Failed");
  EXPECT_TRUE(desktop.messages().empty());
  records->btnSaveData->click();
  ASSERT_EQ(desktop.messages().size(), 1u);
  EXPECT_TRUE(desktop.messages()[0].text.startsWith(
      "The spectra of \"huge.txt\" could not be computed: The spectra of huge.txt reach beyond "
      "the range of numbers. Remove the record, then save."))
      << desktop.messages()[0].text.toStdString();
  EXPECT_TRUE(desktop.saveDialogs().empty());
}

}  // namespace
