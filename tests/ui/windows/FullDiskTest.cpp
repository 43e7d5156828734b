// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>

#include "chart/widget/ResponseChartView.h"
#include "tests/support/SmallFileSystem.h"
#include "tests/ui/windows/MainWindowFixture.h"

namespace {

// Save Data and Save Picture over an existing file on a file system that is really full: the
// file keeps every byte, the error display gives the system's reason and nothing claims
// success. Small outputs (one spectrum, a 60 x 60 chart) fit the 16 KiB that Qt would buffer
// until commit(); large ones do not. With room left the first write comes back short.
struct FullDiskCase {
  const char* what;
  int spectra;   // created before saving
  QSize chart;   // for Save Picture; empty for Save Data
  qint64 spare;  // bytes still free on the file system
};

void PrintTo(const FullDiskCase& c, std::ostream* out) { *out << c.what; }

class FullDiskTest : public MainWindowTest, public ::testing::WithParamInterface<FullDiskCase> {
 protected:
  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

TEST_P(FullDiskTest, KeepsTheExistingFileAndReportsTheSystemsReason) {
  const FullDiskCase& c = GetParam();
  SmallFileSystem disk(64);
  if (!disk.Mounted())
    GTEST_SKIP() << "no small file system to fill: " << disk.Reason().toStdString();

  const bool picture = !c.chart.isEmpty();
  const QString target = disk.Path(picture ? "Spectrum.bmp" : "Spectrum.csv");
  QByteArray old(13000, '\0');
  for (qsizetype i = 0; i < old.size(); ++i) old[i] = static_cast<char>('a' + i % 26);
  {
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(old), old.size());
  }
  ASSERT_TRUE(disk.Fill("filler", c.spare));

  for (int i = 1; i <= c.spectra; ++i) Create(QStringLiteral("S%1").arg(i));
  desktop.Clear();
  desktop.QueueSaveAnswer(target);
  if (picture) {
    form->cht1->resize(c.chart);
    form->Button3->click();
  } else {
    form->Button2->click();
  }

  EXPECT_EQ(ReadAll(target), old);
  const std::vector<QString> errors = desktop.Texts(MessageKind::Error);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].contains(QStringLiteral("No space left on device")))
      << errors[0].toStdString();
  EXPECT_TRUE(errors[0].endsWith(u'.'));
  EXPECT_EQ(desktop.messages().size(), 1u) << "no success message";
  EXPECT_EQ(QDir(disk.Path("")).entryList(QDir::Files | QDir::Hidden).size(), 2)
      << "no temporary file left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Saves, FullDiskTest,
    ::testing::Values(FullDiskCase{"DataOfOneSpectrum", 1, {}, 0},
                      FullDiskCase{"DataOfOneSpectrumWithRoomLeft", 1, {}, 4096},
                      FullDiskCase{"DataOfTenSpectra", 10, {}, 0},
                      FullDiskCase{"DataOfTenSpectraWithRoomLeft", 10, {}, 4096},
                      FullDiskCase{"PictureOfSmallChart", 0, {60, 60}, 0},
                      FullDiskCase{"PictureOfSmallChartWithRoomLeft", 0, {60, 60}, 4096},
                      FullDiskCase{"PictureOfLargeChart", 1, {639, 248}, 0},
                      FullDiskCase{"PictureOfLargeChartWithRoomLeft", 1, {639, 248}, 4096}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
