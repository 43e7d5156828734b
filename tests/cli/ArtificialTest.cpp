// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>

#include "records/GroundMotion.h"
#include "records/RecordReader.h"
#include "tests/cli/CliFixture.h"

namespace {

class ArtificialTest : public CliFixture {};

TEST_F(ArtificialTest, WritesEachSeedIntoTheFolderWithTheTargetPga) {
  const auto result =
      Run({"artificial", "--pga", "0.20", "--site", "II", "--tolerance", "15", "--seed", "8",
           "--count", "2", "--format", "two-column", "-o", PathOf("records")});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out, "");
  const auto lines = Lines(result.err);
  ASSERT_EQ(lines.size(), 2u) << result.err;
  EXPECT_EQ(lines[0].rfind("seed 8: worst deviation ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("seed 9: worst deviation ", 0), 0u) << lines[1];
  EXPECT_EQ(FileCount(folder / "records"), 2u);
  for (const char* name : {"artificial-8.txt", "artificial-9.txt"}) {
    const std::string path = PathOf("records/" + std::string(name));
    RecordReadOptions options;
    options.format = RecordFormat::TimeAcceleration;
    const GroundMotion motion = ReadRecord(path, ReadFile(path), options);
    EXPECT_EQ(PeakAcceleration(motion), 70 / (100 * 9.80665)) << name;
    EXPECT_EQ(motion.acceleration.size(), 3001u);
  }
}

TEST_F(ArtificialTest, AMissedToleranceWritesNothing) {
  const std::string path = PathOf("record.at2");
  const auto result = Run({"artificial", "--tolerance", "0.01", "--duration", "8", "--step", "0.02",
                           "--band", "0.05,1", "-o", path});
  EXPECT_EQ(result.code, 3);
  EXPECT_FALSE(std::filesystem::exists(path));
  const auto lines = Lines(result.err);
  ASSERT_EQ(lines.size(), 2u) << result.err;
  EXPECT_NE(lines[0].find(", tolerance not reached"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[1], "tremvale-cli: the tolerance of 0.01 % was not reached; nothing written");
}

class ArtificialRefusedTest : public CliFixture,
                              public ::testing::WithParamInterface<RefusedRun> {};

TEST_P(ArtificialRefusedTest, ExitCodeAndMessage) {
  std::vector<std::string> args{"artificial"};
  args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
  ExpectRefused(Run(args), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Options, ArtificialRefusedTest,
    ::testing::Values(RefusedRun{"band not a pair",
                                 {"--band", "1"},
                                 2,
                                 "--band: \"1\" is not 2 numbers separated by commas"},
                      RefusedRun{"band beyond 6 s",
                                 {"--band", "0.05,7"},
                                 2,
                                 "The band must run from at least 0.001 s to at most 6 s."},
                      RefusedRun{"envelope of two numbers",
                                 {"--envelope", "2,15"},
                                 2,
                                 "--envelope: \"2,15\" is not 3 numbers separated by commas"},
                      RefusedRun{"several records without a folder",
                                 {"--count", "2"},
                                 2,
                                 "-o: --count above 1 writes a folder; name it with -o"},
                      RefusedRun{"unknown format", {"--format", "csv"}, 2, ""}),
    CaseName<RefusedRun>);

}  // namespace
