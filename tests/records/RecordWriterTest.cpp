// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordWriter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "records/RecordReader.h"
#include "records/RecordText.h"

namespace {

// Values whose shortest digits are long, tiny or negative, and a title with a line break that
// must not break the header.
const GroundMotion kMotion{
    "m", 0.005, {0, 1.0 / 3, -0.1, 0.1 + 0.2, 1e-300, -123.456789, 7e-7, 0}, {}};
const RecordHeader kDescription{"Tremvale\nseed 1", "spectrum \"8\"\r; fit"};

TEST(RecordWriterTest, EachFormatReadsBackExactly) {
  const struct {
    RecordFormat format;
    std::string name;
    std::optional<double> step;
  } cases[] = {{RecordFormat::PeerAt2, "a.at2", {}},
               {RecordFormat::TimeAcceleration, "a.txt", {}},
               {RecordFormat::Acceleration, "a.txt", 0.005}};
  for (const auto& c : cases) {
    const std::string text = WriteRecord(kMotion, c.format, kDescription);
    RecordReadOptions options;
    options.format = c.format;
    options.step = c.step;
    const GroundMotion read = ReadRecord(c.name, text, options);
    EXPECT_EQ(read.acceleration, kMotion.acceleration) << text;
    // Two columns give the step as the mean of the times written.
    EXPECT_DOUBLE_EQ(read.step, kMotion.step) << text;
    if (c.format != RecordFormat::TimeAcceleration) {
      EXPECT_EQ(read.step, kMotion.step);
    }
    const auto lines = SplitLines(text);
    ASSERT_GE(lines.size(), 4u);
    if (c.format == RecordFormat::PeerAt2) {
      EXPECT_EQ(lines[0], "Tremvale seed 1");
      EXPECT_EQ(lines[2], "ACCELERATION TIME HISTORY IN UNITS OF G");
      EXPECT_EQ(lines[3], "NPTS= 8, DT= 0.005 SEC");
      EXPECT_EQ(lines[5], "-123.456789 7e-07 0");
    } else {
      EXPECT_EQ(lines[0], "# Tremvale seed 1");
      EXPECT_EQ(lines[1], "# spectrum \"8\" ; fit");
    }
  }
}

}  // namespace
