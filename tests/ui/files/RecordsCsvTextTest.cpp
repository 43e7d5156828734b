// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QStringList>
#include <string>
#include <vector>

#include "ui/files/RecordsCsvText.h"

namespace {

// The lines of a text whose every line ends with CR LF.
std::vector<std::string> Lines(const std::string& text) {
  QStringList parts = QString::fromStdString(text).split(QStringLiteral("\r\n"));
  EXPECT_TRUE(parts.back().isEmpty()) << "the last line ends with CR LF";
  parts.removeLast();
  std::vector<std::string> lines;
  for (const QString& part : parts) lines.push_back(part.toStdString());
  return lines;
}

RecordsCsvContent OneRecord() {
  RecordsCsvContent content;
  content.targetGal = 35;
  content.records.push_back({"/data/quake",
                             3,
                             0.02,
                             0.04,
                             0.25,
                             1.5,
                             false,
                             0.04,
                             {0.375, 0.5},
                             "Kobe, 1/16/1995, KJMA, 000"});
  content.periods = {0, 0.01};
  content.mean = {0.375, 0.5};
  return content;
}

class RecordsCsvTextTest : public ::testing::Test {};

TEST_F(RecordsCsvTextTest, RecordsSettingsAndSpectraWithoutACheck) {
  EXPECT_EQ(Lines(BuildRecordsCsvText(OneRecord(), ".")),
            (std::vector<std::string>{
                "Record,Points,Step(s),Duration(s),PGA(g),ScaleFactor,Kind,EffectiveDuration(s),"
                "Event,Date,Station,Component",
                "/data/quake,3,0.02,0.04,2.5000E-01,1.5000E+00,Artificial,0.04,Kobe,1/16/1995,KJMA,"
                "000",
                "", "DampingRatio,0.05", "TargetPGA(cm/s2),35", "", "Period(s),/data/quake,Mean",
                "0.00,3.7500E-01,3.7500E-01", "0.01,5.0000E-01,5.0000E-01"}));
}

TEST_F(RecordsCsvTextTest, CommaSeparatorQuotesEveryNumberThatHoldsIt) {
  RecordsCsvContent content = OneRecord();
  content.targetGal.reset();
  const std::vector<std::string> lines = Lines(BuildRecordsCsvText(content, ","));
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[1],
            "/data/quake,3,\"0,02\",\"0,04\",\"2,5000E-01\",\"1,5000E+00\",Artificial,\"0,04\","
            "Kobe,1/16/1995,KJMA,000");
  EXPECT_EQ(lines[3], "DampingRatio,\"0,05\"");
  EXPECT_EQ(lines[4], "TargetPGA(cm/s2),None");
  EXPECT_EQ(lines[8], "\"0,01\",\"5,0000E-01\",\"5,0000E-01\"");
}

}  // namespace
