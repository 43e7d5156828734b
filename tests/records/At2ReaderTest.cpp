// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/At2Reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/RecordError.h"
#include "tests/records/RecordsTestData.h"

namespace {

const std::string kTitle =
    "PEER NGA STRONG MOTION DATABASE RECORD\nTEST 1/1/2000, STATION, 0\n"
    "ACCELERATION TIME SERIES IN UNITS OF G\n";

// The message of the RecordError that reading throws, or "" when it reads.
std::string ErrorOf(const std::string& bytes) {
  try {
    ReadAt2("quake.AT2", bytes);
  } catch (const RecordError& error) {
    return error.what();
  }
  return "";
}

struct HeaderCase {
  const char* line;
  std::size_t points;
  double step;
};

class At2HeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(At2HeaderTest, ReadsBothFormsInAnyCaseAndSpacing) {
  const HeaderCase c = GetParam();
  std::string values;
  for (std::size_t i = 0; i < c.points; ++i) values += " 0.1";
  const GroundMotion m = ReadAt2("quake.AT2", kTitle + c.line + "\n" + values + "\n");
  EXPECT_EQ(m.acceleration.size(), c.points) << c.line;
  EXPECT_EQ(m.step, c.step) << c.line;
  EXPECT_EQ(m.name, "quake.AT2");
}

INSTANTIATE_TEST_SUITE_P(Table, At2HeaderTest,
                         ::testing::Values(HeaderCase{"NPTS=  4, DT=   .0100 SEC", 4, 0.01},
                                           HeaderCase{"NPTS=4,DT=.005 SEC", 4, 0.005},
                                           HeaderCase{"npts = 3 , dt = 0.02 sec", 3, 0.02},
                                           HeaderCase{"   4   0.0100   NPTS, DT", 4, 0.01},
                                           HeaderCase{"5 .01 npts dt", 5, 0.01},
                                           HeaderCase{"0.0100 4 DT, NPTS", 4, 0.01},
                                           HeaderCase{"DT= 0.01 SEC, NPTS= 2", 2, 0.01}));

TEST(At2ReaderTest, ReadsFortranNumbersAnyNumberPerLineAndAnyLineEnd) {
  const std::string body = "NPTS= 5, DT= .0200 SEC\n.62353E-02 -.1D-2\n\n1.5E+00  +2 -0.25\n";
  for (const char* end : {"\n", "\r\n", "\r", "\r\r\n"}) {
    std::string bytes = kTitle + body;
    std::string converted;
    for (const char c : bytes) converted += c == '\n' ? std::string(end) : std::string(1, c);
    const GroundMotion m = ReadAt2("quake.AT2", converted);
    EXPECT_EQ(m.acceleration, (std::vector<double>{0.0062353, -0.001, 1.5, 2, -0.25}));
    EXPECT_EQ(m.step, 0.02);
  }
}

TEST(At2ReaderTest, SplittingTheValuesOverLinesChangesNothing) {
  std::vector<std::string> values;
  for (int i = 0; i < 23; ++i) values.push_back(std::to_string(i % 7 - 3) + ".125E-02");
  std::vector<GroundMotion> read;
  for (const std::size_t perLine : {1, 5, 8, 23}) {
    std::string bytes = kTitle + "NPTS= 23, DT= .01 SEC\n";
    for (std::size_t i = 0; i < values.size(); ++i) {
      bytes += values[i] + ((i + 1) % perLine == 0 ? "\n" : "   ");
    }
    read.push_back(ReadAt2("quake.AT2", bytes));
  }
  for (const GroundMotion& m : read) EXPECT_EQ(m.acceleration, read.front().acceleration);
}

TEST(At2ReaderTest, ZeroPaddingAfterTheLastPointIsDropped) {
  const GroundMotion m = ReadAt2("quake.AT2", kTitle + "NPTS= 3, DT= .01 SEC\n1 2 3 0 0\n\n");
  EXPECT_EQ(m.acceleration, (std::vector<double>{1, 2, 3}));
}

struct FaultCase {
  std::string bytes;
  const char* message;
};

class At2FaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(At2FaultTest, NamesTheFileAndLine) {
  EXPECT_EQ(ErrorOf(GetParam().bytes), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Table, At2FaultTest,
    ::testing::Values(
        FaultCase{"",
                  "quake.AT2: not a PEER record: it ends before the fourth header line, which "
                  "gives the number of points and the time step."},
        FaultCase{kTitle + "4 0.01\n1 2 3 4\n",
                  "quake.AT2, line 4: expected the number of points and the time step, as \"NPTS= "
                  "4000, DT= .0100 SEC\" or \"4000 0.0100 NPTS, DT\"."},
        FaultCase{kTitle + "NPTS= 2.5, DT= .01\n1 2 3\n",
                  "quake.AT2, line 4: the number of points NPTS must be a whole number from 1 "
                  "to 10000000, the most a record may hold."},
        FaultCase{kTitle + "NPTS= 0, DT= .01\n",
                  "quake.AT2, line 4: the number of points NPTS must be a whole number from 1 "
                  "to 10000000, the most a record may hold."},
        FaultCase{kTitle + "NPTS= 2, DT= -.01\n1 2\n",
                  "quake.AT2, line 4: the time step DT must be above 0 and at most 1 s."},
        FaultCase{kTitle + "NPTS= 4, DT= .01\n1 2\n3\n",
                  "quake.AT2, line 6: the file ends after 3 of the 4 points that the header "
                  "gives (truncated)."},
        FaultCase{kTitle + "NPTS= 2, DT= .01\n1 2\n0 5\n",
                  "quake.AT2, line 6: more values than the 2 points that the header gives."},
        FaultCase{kTitle + "NPTS= 3, DT= .01\n1 2\n3 x4\n",
                  "quake.AT2, line 6: \"x4\" is not a number."},
        FaultCase{kTitle + "NPTS= 2, DT= .01\n1 nan\n",
                  "quake.AT2, line 5: \"nan\" is not a number."}));

TEST(At2ReaderTest, HeaderUnitNames) {
  const std::pair<const char*, std::optional<AccelerationUnit>> cases[] = {
      {"The units are (g)", AccelerationUnit::G},
      {"UNITS: CM/SEC/SEC", AccelerationUnit::Gal},
      {"in cm / s / s", AccelerationUnit::Gal},
      {"cm/s\xC2\xB2", AccelerationUnit::Gal},
      {"CM/S**2", AccelerationUnit::Gal},
      {"gal", AccelerationUnit::Gal},
      {"M/S2", AccelerationUnit::MetresPerSecondSquared},
      {"M/SEC/SEC", AccelerationUnit::MetresPerSecondSquared},
      {"GAUGE 7", std::nullopt},
      {"in g or gal", std::nullopt},
      {"COUNTS", std::nullopt},
  };
  for (const auto& [line, unit] : cases) EXPECT_EQ(At2HeaderUnit(line), unit) << line;
}

TEST(At2ReaderTest, ElCentroRecord) {
  const auto record = ElCentro();
  if (!record) GTEST_SKIP() << "the El Centro record is not in " TREMVALE_RECORDS_DATA;
  const GroundMotion& m = *record;
  EXPECT_EQ(m.acceleration.size(), 1559u);
  EXPECT_EQ(m.step, 0.02);
  EXPECT_EQ(PeakAcceleration(m), 0.31882);
  EXPECT_EQ(m.acceleration.front(), 0.0063);
  EXPECT_NEAR(Duration(m), 31.16, 1e-12);
}

}  // namespace
