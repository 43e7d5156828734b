// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPushButton>
#include <optional>

#include "records/RecordReader.h"
#include "tests/support/FileBytes.h"
#include "tests/ui/windows/RecordsWindowFixture.h"
#include "ui/widgets/RecordTable.h"

namespace {

TEST_F(RecordsWindowTest, GeneratedRecordJoinsAsArtificialAndSavesInEachFormat) {
  if (!ArtificialJobs::Available()) GTEST_SKIP() << "built without the generator";
  Add({WriteRecord("a.txt", 600)});
  CheckAgainst("S", "1.2");
  ASSERT_TRUE(WaitForSpectra());
  records->askArtificial = [](const ArtificialRequest&) {
    return ArtificialRequest{1, 10, 0.01, 7, 15};
  };
  records->btnGenerate->click();
  EXPECT_TRUE(records->Generating());
  ASSERT_TRUE(QTest::qWaitFor([this] { return !records->Computing(); }, 300000));
  ASSERT_TRUE(desktop.messages().empty()) << desktop.messages().front().text.toStdString();
  ASSERT_EQ(records->Records().size(), 2u);
  const RecordEntry& made = records->Records().back();
  EXPECT_FALSE(made.real);
  EXPECT_FALSE(records->grdRecords->IsReal(made.id));
  EXPECT_EQ(made.motion->name, "artificial-7");
  EXPECT_TRUE(made.spectrum.has_value());

  records->grdRecords->selectRow(1);
  const struct {
    const char* filter;
    const char* file;
    RecordFormat format;
  } kCases[] = {{"PEER AT2 (*.AT2)", "made.AT2", RecordFormat::PeerAt2},
                {"Time and acceleration (*.txt)", "two.txt", RecordFormat::TimeAcceleration},
                {"Acceleration only (*.txt)", "one.txt", RecordFormat::Acceleration}};
  for (const auto& c : kCases) {
    const QString path = folder.filePath(c.file);
    desktop.SetSaveFilter(c.filter);
    desktop.QueueSaveAnswer(path);
    records->btnSaveRecord->click();
    RecordReadOptions options;
    options.format = c.format;
    options.step = made.motion->step;
    const GroundMotion back = ReadRecord(c.file, ReadAll(path).toStdString(), options);
    EXPECT_EQ(back.acceleration, made.motion->acceleration) << c.file;
    EXPECT_EQ(back.step, made.motion->step) << c.file;
  }
  EXPECT_TRUE(desktop.messages().empty());
}

}  // namespace

namespace {

TEST_F(RecordsWindowTest, SelectFromLibraryReportsTheSetsAndAddsTheBest) {
  Add({WriteRecord("a.txt", 800, 0.03)});
  CheckAgainst("S", "0.4");
  ASSERT_TRUE(WaitForSpectra());
  desktop.QueueOpenAnswer({WriteRecord("b.txt", 800, 0.03, 0.3), WriteRecord("c.txt", 900, 0.02),
                           WriteRecord("d.txt", 700, 0.04, 0.8)});
  records->askSetSize = [](int start) {
    EXPECT_EQ(start, 7);
    return std::optional<int>(2);
  };
  records->btnSelect->click();
  EXPECT_TRUE(records->Selecting());
  ASSERT_TRUE(WaitForSpectra());
  ASSERT_EQ(desktop.messages().size(), 1u);
  const QString text = desktop.messages().front().text;
  EXPECT_TRUE(text.startsWith("Best set (")) << text.toStdString();
  EXPECT_TRUE(text.contains("Alternative 1 (")) << text.toStdString();
  EXPECT_EQ(records->Records().size(), 3u) << "the best two join the one there";
}

}  // namespace

namespace {

TEST_F(RecordsWindowTest, MissedFitAddsNothingAndSaysWhere) {
  if (!ArtificialJobs::Available()) GTEST_SKIP() << "built without the generator";
  Add({WriteRecord("a.txt", 600)});
  CheckAgainst("S", "1.2");
  ASSERT_TRUE(WaitForSpectra());
  records->askArtificial = [](const ArtificialRequest&) {
    return ArtificialRequest{1, 4, 0.02, 3, 0.1};
  };
  records->btnGenerate->click();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !records->Computing(); }, 300000));
  EXPECT_EQ(records->Records().size(), 1u);
  ASSERT_EQ(desktop.messages().size(), 1u);
  EXPECT_TRUE(desktop.messages().front().text.contains(
      "artificial-3: the fit missed the tolerance, worst at "))
      << desktop.messages().front().text.toStdString();
}

}  // namespace
