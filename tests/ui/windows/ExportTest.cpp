#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "chart/widget/ResponseChartView.h"
#include "model/CsvText.h"
#include "tests/support/BitmapHeader.h"
#include "tests/support/FileBytes.h"
#include "tests/ui/windows/MainWindowFixture.h"
#include "ui/widgets/SpectrumCheckList.h"

namespace {

class ExportTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(folder.isValid());
  }
  QString Path(const QString& name) const { return folder.filePath(name); }

  // Checks the BMP headers and returns the picture's size.
  QSize BitmapSize(const QString& path) {
    const QByteArray bytes = ReadAll(path);
    EXPECT_GE(bytes.size(), 54);
    const std::optional<BitmapHeader> header = ReadBitmapHeader(bytes);
    if (!header) return {};
    EXPECT_EQ(header->magic, "BM");
    EXPECT_EQ(header->fileSize, static_cast<quint32>(bytes.size()));
    EXPECT_EQ(header->infoSize, 40u);  // information header
    EXPECT_EQ(header->planes, 1);
    const int bits = header->bitsPerPixel;
    EXPECT_TRUE(bits == 24 || bits == 32) << bits;
    EXPECT_EQ(header->compression, 0u);
    EXPECT_GT(header->height, 0);  // bottom-up rows
    EXPECT_EQ(bytes.size(), header->pixelOffset + header->RowBytes() * header->height);
    return {header->width, header->height};
  }

  QTemporaryDir folder;
};

TEST_F(ExportTest, SaveDataWithoutSpectraSaysSoAndOpensNoDialog) {
  form->Button2->click();
  form->SaveData1->trigger();
  EXPECT_EQ(desktop.messages(),
            (std::vector<RecordedMessage>{InformationMessage("No spectrum have been create."),
                                          InformationMessage("No spectrum have been create.")}));
  EXPECT_TRUE(desktop.saveDialogs().empty());
}

TEST_F(ExportTest, CancelWritesNothingAndShowsNothing) {
  Create("A");
  form->Button2->click();
  form->Button3->click();
  EXPECT_EQ(desktop.saveDialogs().size(), 2u);
  EXPECT_TRUE(desktop.messages().empty());
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(ExportTest, DialogsProposeSpectrumEveryTime) {
  Create("A");
  desktop.QueueSaveAnswer(Path("other.csv"));
  form->Button2->click();
  form->Button2->click();
  desktop.QueueSaveAnswer(Path("other.bmp"));
  form->Button3->click();
  form->SavePicture1->trigger();
  const auto& dialogs = desktop.saveDialogs();
  ASSERT_EQ(dialogs.size(), 4u);
  const QString home = QDir::homePath();
  for (int i : {0, 1}) {
    EXPECT_EQ(dialogs[i].proposedName, "Spectrum");
    EXPECT_EQ(dialogs[i].filter, "CSV(逗号分隔)(*.csv)");
    EXPECT_EQ(dialogs[i].defaultSuffix, "csv");
    EXPECT_EQ(dialogs[i].startFolder, home);
    EXPECT_TRUE(dialogs[i].confirmOverwrite);
  }
  for (int i : {2, 3}) {
    EXPECT_EQ(dialogs[i].proposedName, "Spectrum");
    EXPECT_EQ(dialogs[i].filter, "Bitmaps (*.bmp)");
    EXPECT_EQ(dialogs[i].defaultSuffix, "bmp");
    EXPECT_EQ(dialogs[i].startFolder, home);
    EXPECT_FALSE(dialogs[i].confirmOverwrite);
  }
}

TEST_F(ExportTest, SaveDataWritesTheModelTextOfEverySpectrumInOrder) {
  for (const char* name : {"A", "B", "C"}) Create(name);
  form->lst1->item(0)->setCheckState(Qt::Unchecked);  // A hidden: exported all the same
  form->lst1->setCurrentRow(1);
  form->Button4->click();  // B deleted
  desktop.Clear();
  const QString path = Path("Spectrum.csv");
  desktop.QueueSaveAnswer(path);
  form->Button2->click();
  const QByteArray written = ReadAll(path);
  EXPECT_EQ(written, QByteArray::fromStdString(BuildCsvText(form->Spectra())));
  EXPECT_TRUE(written.startsWith("ResponseName,DesignCode,Alphamax,Tg(s),DampingRatio\r\n"));
  EXPECT_TRUE(written.contains("\r\n,A,C,\r\n"));
  EXPECT_EQ(written.count("\r\n"), 607);
  EXPECT_EQ(desktop.messages(),
            std::vector<RecordedMessage>{InformationMessage("Export Completed")});
}

TEST_F(ExportTest, FileThatCannotBeCreatedGoesToTheErrorDisplay) {
  Create("A");
  QFile blocker(Path("plain-file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString path = Path("plain-file/sub/Spectrum.csv");  // fails for root as well
  desktop.QueueSaveAnswer(path);
  form->Button2->click();
  desktop.QueueSaveAnswer(path);
  form->Button3->click();
  const std::vector<QString> errors = desktop.Texts(MessageKind::Error);
  ASSERT_EQ(errors.size(), 2u);
  for (const QString& error : errors) {
    EXPECT_TRUE(error.startsWith("Cannot create file \"" + QDir::toNativeSeparators(path) + "\". "))
        << error.toStdString();
    EXPECT_TRUE(error.endsWith('.'));
  }
  EXPECT_TRUE(desktop.Texts(MessageKind::Information).empty());
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_EQ(form->Spectra().Size(), 1u);  // nothing else touched
}

TEST_F(ExportTest, PictureIsABitmapOfTheDockedChartWhateverTheExtension) {
  Create("A");
  for (const QString& name : {QString("Spectrum.bmp"), QString("picture.png")}) {
    desktop.QueueSaveAnswer(Path(name));
    form->Button3->click();
    EXPECT_EQ(BitmapSize(Path(name)), QSize(639, 248)) << name.toStdString();
  }
  EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(ExportTest, PictureReplacesAnExistingFileWithoutAsking) {
  QFile old(Path("Spectrum.bmp"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old");
  old.close();
  desktop.QueueSaveAnswer(Path("Spectrum.bmp"));
  form->Button3->click();  // an empty chart is saved too
  EXPECT_EQ(BitmapSize(Path("Spectrum.bmp")), QSize(639, 248));
}

TEST_F(ExportTest, PictureOfThePoppedOutChartHasThePanelsSize) {
  Create("A");
  form->show();
  form->cht1DblClick();
  QWidget* panel = form->cht1->window();
  ASSERT_NE(panel, form.get());
  panel->resize(700, 400);
  QCoreApplication::processEvents();
  desktop.QueueSaveAnswer(Path("out.bmp"));
  form->Button3->click();
  EXPECT_EQ(BitmapSize(Path("out.bmp")), form->cht1->size());
  EXPECT_EQ(form->cht1->size(), QSize(700, 400));
}

}  // namespace
