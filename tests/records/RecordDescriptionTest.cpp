// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordDescription.h"

#include <gtest/gtest.h>

#include "records/At2Reader.h"

namespace {

struct DescriptionCase {
  const char* line;
  RecordDescription expected;
};

TEST(RecordDescriptionTest, SplitsTheFormsOfPeerFilesAndKeepsOtherLinesWhole) {
  const DescriptionCase cases[] = {
      {"Imperial Valley-02, 5/19/1940, El Centro Array #9, 180",
       {"Imperial Valley-02", "5/19/1940", "El Centro Array #9", "180"}},
      {"IMPERIAL VALLEY 5/19/40 0437, EL CENTRO ARRAY #9, 180",
       {"IMPERIAL VALLEY 5/19/40 0437", "", "EL CENTRO ARRAY #9", "180"}},
      {"Chi-Chi, 9/20/1999, TCU, North, E", {"Chi-Chi", "9/20/1999", "TCU, North", "E"}},
      {"  1559 points at equal spacing  ", {"1559 points at equal spacing", "", "", ""}},
      {"a, b", {"a, b", "", "", ""}},
      {"a, , c", {"a, , c", "", "", ""}},
      {"", {"", "", "", ""}},
  };
  for (const DescriptionCase& c : cases) {
    const RecordDescription d = ParseRecordDescription(c.line);
    EXPECT_EQ(d.event, c.expected.event) << c.line;
    EXPECT_EQ(d.date, c.expected.date) << c.line;
    EXPECT_EQ(d.station, c.expected.station) << c.line;
    EXPECT_EQ(d.component, c.expected.component) << c.line;
  }
}

TEST(RecordDescriptionTest, APeerRecordKeepsItsSecondLineTrimmed) {
  const GroundMotion motion =
      ReadAt2("q.AT2",
              "PEER NGA\r\r\n  Kobe, 1/16/1995, KJMA, 000 \r\r\nUNITS OF G\r\r\n"
              "NPTS= 1, DT= .01 SEC\r\r\n0.1\r\r\n");
  EXPECT_EQ(motion.description, "Kobe, 1/16/1995, KJMA, 000");
}

}  // namespace
