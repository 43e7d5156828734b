// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/TextRecordReader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "records/RecordError.h"
#include "records/RecordReader.h"

namespace {

std::string ErrorOf(const std::function<void()>& read) {
  try {
    read();
  } catch (const RecordError& error) {
    return error.what();
  }
  return "";
}

TEST(TextRecordReaderTest, TwoColumnsWithCommentsBlankLinesAndRoundedTimes) {
  const GroundMotion m = ReadTimeAcceleration(
      "quake.txt",
      "# time, acceleration\r\n\r\n0.000 0.1\r\n0.333, -0.2 # rounded\r\n0.667\t0.3\r\n1.000 0.4",
      AccelerationUnit::G);
  EXPECT_EQ(m.acceleration, (std::vector<double>{0.1, -0.2, 0.3, 0.4}));
  EXPECT_DOUBLE_EQ(m.step, 1.0 / 3);
}

TEST(TextRecordReaderTest, OneColumnAtTheGivenStep) {
  const GroundMotion m =
      ReadAcceleration("quake.txt", "1\n# pause\n-2\n\n3\n", 0.005, AccelerationUnit::G);
  EXPECT_EQ(m.acceleration, (std::vector<double>{1, -2, 3}));
  EXPECT_EQ(m.step, 0.005);
}

struct UnitCase {
  AccelerationUnit unit;
  double value;  // read as 1 in the unit, in g
};

TEST(TextRecordReaderTest, UnitsConvertToG) {
  for (const UnitCase c : {UnitCase{AccelerationUnit::G, 1.0},
                           UnitCase{AccelerationUnit::MetresPerSecondSquared, 1 / 9.80665},
                           UnitCase{AccelerationUnit::Gal, 1 / 980.665}}) {
    EXPECT_DOUBLE_EQ(ReadAcceleration("a.txt", "1\n", 0.01, c.unit).acceleration[0], c.value);
    EXPECT_DOUBLE_EQ(ReadTimeAcceleration("a.txt", "0 1\n0.01 1\n", c.unit).acceleration[1],
                     c.value);
  }
}

// A text record and the message that reading it gives; step 0 reads two columns.
struct FaultCase {
  const char* bytes;
  double step;
  const char* message;
};

class TextFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(TextFaultTest, NamesTheFileAndLine) {
  const FaultCase c = GetParam();
  EXPECT_EQ(ErrorOf([&] {
              if (c.step == 0) {
                ReadTimeAcceleration("quake.txt", c.bytes, AccelerationUnit::G);
              } else {
                ReadAcceleration("quake.txt", c.bytes, c.step, AccelerationUnit::G);
              }
            }),
            c.message)
      << c.bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextFaultTest,
    ::testing::Values(
        FaultCase{"0 1\n0.01 2\n# gap\n0.03 3\n0.04 4\n", 0,
                  "quake.txt, line 4: the times are not equally spaced: \"0.03\" is not one step "
                  "of 0.01 s after the time before."},
        FaultCase{"0 1\n0.01 2\n0.0205 3\n0.03 4\n", 0,
                  "quake.txt, line 3: the times are not equally spaced: \"0.0205\" is not one step "
                  "of 0.01 s after the time before."},
        FaultCase{"0 1\n0.01 2\n0.03 3\n0.02 4\n0.03 5\n", 0,
                  "quake.txt, line 3: the times are not equally spaced: \"0.03\" is not one step "
                  "of 0.01 s after the time before."},
        FaultCase{"0 1\n0.0101 2\n0.0202 3\n0.0303 4\n0.0404 5\n0.05 6\n", 0,
                  "quake.txt, line 6: the times are not equally spaced: \"0.05\" is not one step "
                  "of 0.0101 s after the time before."},
        FaultCase{"0.1 1\n0 2\n", 0,
                  "quake.txt, line 2: the times must increase from one line to the next."},
        FaultCase{"0 1\n", 0,
                  "quake.txt, line 1: a time step needs at least two times; this is the only "
                  "data line."},
        FaultCase{"0 1\n0.01 2 3\n", 0,
                  "quake.txt, line 2: expected a time and an acceleration, found 3 values."},
        FaultCase{"0 1\n0.01 g\n", 0, "quake.txt, line 2: \"g\" is not a number."},
        FaultCase{"", 0, "quake.txt: the file holds no acceleration values."},
        FaultCase{"# only a comment\n\n", 0, "quake.txt: the file holds no acceleration values."},
        FaultCase{"1\n2 3\n", 0.01,
                  "quake.txt, line 2: expected one acceleration, found 2 values."},
        FaultCase{"1\n", -0.01, "quake.txt: the time step must be above 0 and at most 1 s."}));

struct FormatCase {
  const char* fileName;
  const char* bytes;
  RecordReadOptions options;
  std::vector<double> acceleration;
};

TEST(RecordReaderTest, PicksTheReaderByNameAndColumns) {
  const std::string at2 = "t\nt\nin g\nNPTS= 2, DT= .01\n1 2\n";
  const std::vector<FormatCase> cases = {
      {"quake.at2", at2.c_str(), {}, {1, 2}},
      {"quake.txt", "0 1\n0.01 2\n", {}, {1, 2}},
      {"quake.txt",
       "# one column\n1\n2\n",
       {RecordFormat::Automatic, AccelerationUnit::G, 0.01},
       {1, 2}},
      {"quake.dat", "3\n4\n", {RecordFormat::Acceleration, AccelerationUnit::G, 0.01}, {3, 4}},
      {"quake.txt", at2.c_str(), {RecordFormat::PeerAt2, AccelerationUnit::G, {}}, {1, 2}},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(ReadRecord(c.fileName, c.bytes, c.options).acceleration, c.acceleration) << c.bytes;
  }
  EXPECT_EQ(ErrorOf([] { ReadRecord("quake.txt", "1\n2\n"); }),
            "quake.txt: a record of one column needs the time step; give it with the file.");
}

}  // namespace
