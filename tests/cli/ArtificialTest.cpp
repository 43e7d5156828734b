// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <filesystem>
#include <sstream>

#include "records/GroundMotion.h"
#include "records/RecordReader.h"
#include "tests/cli/CliFixture.h"

namespace {

class ArtificialTest : public CliFixture {
 protected:
  // The check table's rows (period, mean's deviation in per cent) and its verdict.
  struct CheckTable {
    std::vector<std::pair<std::string, double>> deviations;
    std::string verdict;
  };

  static CheckTable ReadCheck(const std::string& out) {
    CheckTable table;
    bool inTable = false;
    for (const std::string& line : Lines(out)) {
      if (line.rfind("T(s)", 0) == 0) {
        inTable = true;
      } else if (line.empty()) {
        inTable = false;
      } else if (inTable) {
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string w; fields >> w;) words.push_back(w);
        std::string deviation = words[words.size() - 2];
        if (deviation.front() == '+') deviation.erase(0, 1);
        table.deviations.emplace_back(words.front(), Number(deviation));
      }
      if (line.rfind("Result: ", 0) == 0) table.verdict = line;
    }
    return table;
  }
};

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

// Three generated records meet the design spectrum at every main period, so a set of them
// fails only for its real share; real records added then decide the verdict by their own fit.
// The real ones here are steps of ground acceleration, whose PSA is 1.85 times the peak at
// every period: 17 % under the plateau of 0.1-0.35 s, four times the design value at 2 s.
TEST_F(ArtificialTest, GeneratedRecordsMeetTheDesignSpectrumInACheck) {
  const std::vector<std::string> design{"--pga", "0.20", "--site", "II"};
  std::vector<std::string> generate{"artificial", "--seed",         "1", "--count", "3",
                                    "-o",         PathOf("records")};
  generate.insert(generate.end(), design.begin(), design.end());
  ASSERT_EQ(Run(generate).code, 0);
  std::vector<std::string> artificial;
  for (const char* name : {"artificial-1.at2", "artificial-2.at2", "artificial-3.at2"}) {
    artificial.push_back("--artificial");
    artificial.push_back(PathOf("records/" + std::string(name)));
  }
  std::vector<std::string> real;
  for (int i = 0; i < 6; ++i) {
    real.push_back(ConstantRecord("real" + std::to_string(i) + ".txt", 1, 12));
  }
  struct Case {
    const char* periods;
    bool withReal;
    const char* verdict;
  };
  const Case cases[] = {
      {"0.05,0.1,0.35,0.5,1,2,3,4,5", false,
       "Result: the set does not pass (too few real records)"},
      {"0.1,0.2,0.3", true, "Result: the set passes"},
      {"0.1,0.2,2", true,
       "Result: the set does not pass (1 of 3 periods outside the tolerance of 20 %)"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"check", "--periods", c.periods};
    args.insert(args.end(), design.begin(), design.end());
    args.insert(args.end(), artificial.begin(), artificial.end());
    if (c.withReal) args.insert(args.end(), real.begin(), real.end());
    const auto result = Run(args);
    const CheckTable table = ReadCheck(result.out);
    EXPECT_EQ(table.verdict.rfind(c.verdict, 0), 0u) << c.periods << "\n" << result.out;
    if (c.withReal) continue;
    ASSERT_EQ(table.deviations.size(), 9u) << result.out;
    for (const auto& [period, deviation] : table.deviations) {
      EXPECT_LE(std::fabs(deviation), 5) << "period " << period;
    }
  }
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
