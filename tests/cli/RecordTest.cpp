// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string_view>

#include "tests/cli/CliFixture.h"

namespace {

struct ConstantCase {
  const char* what;
  double fileValue;  // the record's constant acceleration as written
  std::vector<std::string> options;
  double pga;      // g, after unit and scaling
  double damping;  // of the spectrum
};

class ConstantRecordTest : public CliFixture, public ::testing::WithParamInterface<ConstantCase> {};

TEST_P(ConstantRecordTest, PgaAtZeroAndTheStepResponseAtEveryPeriod) {
  const ConstantCase& c = GetParam();
  std::vector<std::string> args{"record", ConstantRecord("step.txt", c.fileValue, 2), "--periods",
                                "0,0.1,0.25,0.5"};
  args.insert(args.end(), c.options.begin(), c.options.end());
  const auto result = Run(args);
  ASSERT_EQ(result.code, 0) << result.err;
  const auto lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "T(s)," + PathOf("step.txt") + " PSA(g)");
  EXPECT_EQ(Fields(lines[1])[0], "0");
  EXPECT_NEAR(Number(Fields(lines[1])[1]), c.pga, c.pga * 1e-14);
  for (std::size_t i = 2; i < lines.size(); ++i) {
    EXPECT_NEAR(Number(Fields(lines[i])[1]), StepPsa(c.pga, c.damping), c.pga * 1e-12) << lines[i];
  }
}

INSTANTIATE_TEST_SUITE_P(
    Options, ConstantRecordTest,
    ::testing::Values(
        ConstantCase{"g", 0.1, {}, 0.1, 0.05},
        ConstantCase{"gal", 98.0665, {"--unit", "gal"}, 0.1, 0.05},
        ConstantCase{"m per s2", 0.980665, {"--unit", "m/s2"}, 0.1, 0.05},
        ConstantCase{"no damping", 0.1, {"--damping", "0"}, 0.1, 0},
        ConstantCase{"target pga", 0.1, {"--target-pga", "100"}, 100 / kGal, 0.05},
        ConstantCase{"negative record", -0.3, {"--target-pga", "35"}, 35 / kGal, 0.05},
        ConstantCase{"code table", 0.1, {"--scale-to", "0.20,rare"}, 400 / kGal, 0.05}),
    CaseName<ConstantCase>);

TEST_F(CliFixture, OneColumnRecordAtTheGivenStep) {
  const std::string file = WriteFile("one.txt", "# g\n0.1\n0.1\n\n0.1\n0.1\n");
  const auto result = Run({"record", file, "--step", "0.5", "--periods", "0,2"});
  ASSERT_EQ(result.code, 0) << result.err;
  // T = 2 s: the 1.5 s step of ground acceleration lasts long enough for the first crest.
  EXPECT_EQ(Lines(result.out).at(1), "0,0.1");
  EXPECT_NEAR(Number(Fields(Lines(result.out).at(2))[1]), StepPsa(0.1, 0.05), 1e-13);
  // The same numbers read as an explicit layout.
  EXPECT_EQ(
      Run({"record", file, "--format", "one-column", "--step", "0.5", "--periods", "0,2"}).out,
      result.out);
}

TEST_F(CliFixture, ElCentroPsaAtZeroIsItsPeakAndTheColumnsAgree) {
  const std::string file = TREMVALE_RECORDS_DATA "/elCentro.AT2";
  const auto result = Run({"record", file, "--all", "--periods", "0,0.5,2"});
  ASSERT_EQ(result.code, 0) << result.err;
  const auto lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0],
            "T(s)," + file + " PSA(g)," + file + " SA(g)," + file + " SD(m)," + file + " PSV(m/s)");
  EXPECT_EQ(lines[1], "0,0.31882,0.31882,0,0");  // the record's largest value, 0.319 g
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const auto fields = Fields(lines[i]);
    ASSERT_EQ(fields.size(), 5u);
    const double omega = 2 * M_PI / Number(fields[0]);
    const double psa = Number(fields[1]);
    EXPECT_GT(psa, 0.1) << lines[i];
    EXPECT_NEAR(Number(fields[3]), psa * 9.80665 / (omega * omega), 1e-12) << "SD";
    EXPECT_NEAR(Number(fields[4]), psa * 9.80665 / omega, 1e-12) << "PSV";
    EXPECT_NEAR(Number(fields[2]), psa, 0.1 * psa) << "SA near PSA at light damping";
  }
  // The default grid is the design spectrum's fine grid; -o writes the same bytes.
  const auto fine = Run({"record", file, "-o", PathOf("fine.csv")});
  ASSERT_EQ(fine.code, 0) << fine.err;
  const std::string written = ReadFile(PathOf("fine.csv"));
  EXPECT_EQ(Lines(written).size(), 602u);
  EXPECT_EQ(Lines(written).back().substr(0, 2), "6,");
  EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
  EXPECT_EQ(Run({"record", file}).out, written);
}

TEST_F(CliFixture, RecordsGetAColumnEachAndNamesAreQuoted) {
  const std::string a = ConstantRecord("a,\"b\".txt", 0.1, 1);
  const std::string b = ConstantRecord("c.txt", 0.2, 1);
  const auto result = Run({"record", a, b, "--periods", "0"});
  ASSERT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out,
            "T(s),\"" + PathOf("a,\"\"b\"\".txt") + " PSA(g)\"," + b + " PSA(g)\r\n0,0.1,0.2\r\n");
}

class RecordUsageTest : public CliFixture, public ::testing::WithParamInterface<RefusedRun> {};

TEST_P(RecordUsageTest, MessageAndExitCodeAndNothingWritten) {
  std::vector<std::string> args{"record", ConstantRecord("r.txt", 0.1, 1), "-o",
                                WriteFile("out.csv", "old")};
  args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
  ExpectRefused(Run(args), GetParam());
  EXPECT_EQ(ReadFile(PathOf("out.csv")), "old");
}

INSTANTIATE_TEST_SUITE_P(
    Options, RecordUsageTest,
    ::testing::Values(
        RefusedRun{"damping 1",
                   {"--damping", "1"},
                   2,
                   "--damping: the damping ratio must be at least 0 and below 1"},
        RefusedRun{"damping negative",
                   {"--damping=-0.01"},
                   2,
                   "--damping: the damping ratio must be at least 0 and below 1"},
        RefusedRun{
            "damping comma", {"--damping", "0,05"}, 2, "--damping: \"0,05\" is not a number"},
        RefusedRun{"target zero",
                   {"--target-pga", "0"},
                   2,
                   "--target-pga: Target PGA must be greater than 0 cm/s2 and at most 9806.65 "
                   "cm/s2 (10 g)."},
        RefusedRun{"target text",
                   {"--target-pga", "100gal"},
                   2,
                   "--target-pga: \"100gal\" is not a number"},
        RefusedRun{"scale to intensity",
                   {"--scale-to", "0.25,rare"},
                   2,
                   "--scale-to: \"0.25,rare\" is not PGA,ACTION with PGA one of "
                   "0.05|0.10|0.15|0.20|0.30|0.40 and ACTION one of frequent|fortification|rare"},
        RefusedRun{"scale to action only",
                   {"--scale-to", "rare"},
                   2,
                   "--scale-to: \"rare\" is not PGA,ACTION with PGA one of "
                   "0.05|0.10|0.15|0.20|0.30|0.40 and ACTION one of frequent|fortification|rare"},
        RefusedRun{"two targets", {"--scale-to", "0.20,rare", "--target-pga", "100"}, 2, ""},
        RefusedRun{
            "period beyond 6 s", {"--periods", "0.5,7"}, 2, "--periods: 7 s lies outside 0 to 6 s"},
        RefusedRun{"period too short",
                   {"--periods", "0.0001"},
                   2,
                   "--periods: a period is 0 or at least 0.001 s"},
        RefusedRun{"unit", {"--unit", "kg"}, 2, ""},
        RefusedRun{"layout", {"--format", "csv"}, 2, ""},
        RefusedRun{"step zero", {"--step", "0"}, 2, "--step: the time step must be above 0 s"},
        RefusedRun{"missing file", {"no-such.txt"}, 1, ""}),
    CaseName<RefusedRun>);

TEST_F(CliFixture, RecordNeedsAFileAndAStepForOneColumn) {
  EXPECT_EQ(Run({"record"}).code, 2);
  const std::string file = WriteFile("one.txt", "0.1\n0.2\n");
  const auto result = Run({"record", file});
  EXPECT_EQ(result.code, 2);
  EXPECT_NE(result.err.find(file + ": "), std::string::npos) << result.err;
  EXPECT_EQ(result.out, "");
}

TEST_F(CliFixture, RecordWithoutMotionCannotBeScaled) {
  const std::string file = ConstantRecord("zero.txt", 0, 1);
  EXPECT_EQ(Run({"record", file}).code, 0) << "unscaled it has a spectrum of zeros";
  const auto result = Run({"record", file, "--target-pga", "100"});
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.err, "tremvale-cli: The record " + file +
                            " has no motion to scale: all its values are zero.\n");
}

struct MalformedRecord {
  const char* what;
  const char* name;
  std::string bytes;
  std::string message;  // after "FILE"
};

class MalformedRecordTest : public CliFixture,
                            public ::testing::WithParamInterface<MalformedRecord> {};

TEST_P(MalformedRecordTest, MessageNamesFileAndLine) {
  const std::string good = ConstantRecord("good.txt", 0.1, 1);
  const std::string bad = WriteFile(GetParam().name, GetParam().bytes);
  for (const auto& args : {std::vector<std::string>{"record", good, bad},
                           std::vector<std::string>{"check", "--periods", "0.1", good, bad}}) {
    const auto result = Run(args);
    EXPECT_EQ(result.code, 2) << args[0];
    EXPECT_EQ(result.err, "tremvale-cli: " + bad + GetParam().message + "\n") << args[0];
    EXPECT_EQ(result.out, "") << args[0];
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedRecordTest,
    ::testing::Values(
        MalformedRecord{"not a number", "r.txt", "0 0.1\n0.01 0.2\r\n0.02 abc\n",
                        ", line 3: \"abc\" is not a number."},
        MalformedRecord{"three columns", "r.txt", "# t a\n0 0.1\n\n0.01 0.2 0.3\n",
                        ", line 4: expected a time and an acceleration, found 3 values."},
        MalformedRecord{"empty", "r.txt", "", ": the file holds no acceleration values."},
        MalformedRecord{"truncated AT2", "r.AT2",
                        "title\ndate\nunits of g\nNPTS=  4, DT= .0100 SEC\n.1 .2 .3\n",
                        ", line 5: the file ends after 3 of the 4 points that the header gives "
                        "(truncated)."},
        MalformedRecord{"uneven times", "r.txt", "0 0.1\n0.01 0.2\n0.03 0.1\n0.04 0.1\n",
                        ", line 3: the times are not equally spaced: \"0.03\" is not one step of "
                        "0.01 s after the time before."},
        MalformedRecord{"text step of 2 s", "r.txt", "0 0.1\n2 0.2\n",
                        ", line 2: the time step must be above 0 and at most 1 s."},
        MalformedRecord{"AT2 step of 2 s", "r.AT2", "t\nt\nunits of g\nNPTS= 2, DT= 2.0\n.1 .2\n",
                        ", line 4: the time step DT must be above 0 and at most 1 s."},
        MalformedRecord{"AT2 step of 1e300 s", "r.AT2",
                        "t\nt\nunits of g\nNPTS= 2, DT= 1e300\n.1 .2\n",
                        ", line 4: the time step DT must be above 0 and at most 1 s."},
        MalformedRecord{"AT2 points beyond the limit", "r.AT2",
                        "t\nt\nunits of g\nNPTS=1000000000000, DT= .01\n.1 .2\n",
                        ", line 4: the number of points NPTS must be a whole number from 1 to "
                        "10000000, the most a record may hold."},
        MalformedRecord{"AT2 unit unknown", "r.AT2",
                        "t\nt\nunits of counts\nNPTS= 2, DT= .01\n.1 .2\n",
                        ", line 3: the unit of the values is not named (g, CM/SEC/SEC, GAL or "
                        "M/SEC/SEC); say which it is."},
        MalformedRecord{"AT2 CR CR LF", "r.AT2",
                        "t\r\r\nt\r\r\nunits of g\r\r\nNPTS= 2, DT= .02\r\r\n.1\r\r\nx\r\r\n",
                        ", line 6: \"x\" is not a number."}),
    CaseName<MalformedRecord>);

TEST_F(CliFixture, ValuesBeyondTheRangeOfNumbersAreInputErrors) {
  std::string alternating;
  for (int i = 0; i < 400; ++i) alternating += i % 2 == 0 ? "1.7e308\n" : "-1.7e308\n";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{WriteFile("tiny.txt", "0 1e-320\n0.01 2e-320\n"), "--target-pga", "100"},
       "The record " + PathOf("tiny.txt") +
           " moves too little to be scaled to the target: the factor is beyond the range of "
           "numbers."},
      {{WriteFile("huge.txt", alternating), "--format", "one-column", "--step", "0.01", "--damping",
        "0"},
       "The spectra of " + PathOf("huge.txt") + " reach beyond the range of numbers once scaled."},
  };
  for (const auto& [options, message] : cases) {
    std::vector<std::string> args{"record", "--periods", "0.02"};
    args.insert(args.end(), options.begin(), options.end());
    const auto result = Run(args);
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "tremvale-cli: " + message + "\n");
  }
}

// PEER files as older archives write them: CR CR LF line ends and the unit on the third line.
struct At2UnitCase {
  const char* what;
  std::string unitLine;
  std::vector<std::string> options;
  int code;
  double pga;           // g, when read
  std::string message;  // after "FILE, line 3: ", when refused
};

class At2UnitTest : public CliFixture, public ::testing::WithParamInterface<At2UnitCase> {};

TEST_P(At2UnitTest, ReadsTheUnitOrSaysWhyNot) {
  const At2UnitCase& c = GetParam();
  const std::string file = WriteFile(
      "r.AT2", "PEER\r\r\nSTATION\r\r\n" + c.unitLine +
                   "\r\r\nNPTS=  3, DT= .02000 SEC\r\r\n  50.0  -98.0665\r\r\n  10.0\r\r\n");
  std::vector<std::string> args{"record", "--periods", "0", file};
  args.insert(args.end(), c.options.begin(), c.options.end());
  const auto result = Run(args);
  EXPECT_EQ(result.code, c.code) << result.err;
  if (c.code == 0) {
    EXPECT_NEAR(Number(Fields(Lines(result.out).at(1)).at(1)), c.pga, 1e-14);
  } else {
    EXPECT_EQ(result.err, "tremvale-cli: " + file + ", line 3: " + c.message + "\n");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Units, At2UnitTest,
    ::testing::Values(
        At2UnitCase{"g", "ACCELERATION TIME HISTORY IN UNITS OF G", {}, 0, 98.0665, ""},
        At2UnitCase{"cm/s2", "ACCELERATION IN CM/SEC/SEC", {}, 0, 0.1, ""},
        At2UnitCase{"gal agreeing", "UNITS: GAL", {"--unit", "gal"}, 0, 0.1, ""},
        At2UnitCase{"m/s2", "Units are (m/s/s)", {}, 0, 10, ""},
        At2UnitCase{"unknown",
                    "DIGITAL COUNTS",
                    {},
                    2,
                    0,
                    "the unit of the values is not named (g, CM/SEC/SEC, GAL or M/SEC/SEC); say "
                    "which it is."},
        At2UnitCase{"unknown but given", "DIGITAL COUNTS", {"--unit", "cm/s2"}, 0, 0.1, ""},
        At2UnitCase{"contradicted",
                    "IN UNITS OF G",
                    {"--unit", "gal"},
                    2,
                    0,
                    "the file gives its values in g, not in the cm/s2 asked for."}),
    CaseName<At2UnitCase>);

// The README's example, digit for digit: every processor gives these digits.
TEST_F(CliFixture, TheReadmeRecordExample) {
  const std::string command =
      "$ tremvale-cli record elCentro.AT2 --periods 0,0.2,0.5,1 --scale-to 0.20,rare";
  std::ifstream readme(TREMVALE_README);
  ASSERT_TRUE(readme) << TREMVALE_README;
  std::vector<std::string> expected;
  for (std::string line; std::getline(readme, line);) {
    if (!expected.empty() && line.rfind("    ", 0) != 0) break;
    if (!expected.empty() || line == "    " + command) expected.push_back(line.substr(4));
  }
  ASSERT_EQ(expected.size(), 6u) << "the example is not in the README";
  const std::string file = TREMVALE_RECORDS_DATA "/elCentro.AT2";
  const auto result = Run({"record", file, "--periods", "0,0.2,0.5,1", "--scale-to", "0.20,rare"});
  ASSERT_EQ(result.code, 0) << result.err;
  const auto lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "T(s)," + file + " PSA(g)");
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i + 1]);
}

}  // namespace

namespace {

// FNV-1a: a short fingerprint of a whole output, so that a checked-in value pins every digit.
std::uint64_t Fingerprint(std::string_view text) {
  std::uint64_t hash = 0xcbf29ce484222325;
  for (const unsigned char c : text) hash = (hash ^ c) * 0x100000001b3;
  return hash;
}

struct FineGridCase {
  const char* damping;
  std::uint64_t fingerprint;  // of every line after the heading
};

class FineGridTest : public CliFixture, public ::testing::WithParamInterface<FineGridCase> {};

// Every column at every period of the fine grid, the same bits on every processor that runs
// the tests (x86-64 and, cross-built, arm64).
TEST_P(FineGridTest, SameDigitsEverywhere) {
  const FineGridCase& c = GetParam();
  const auto result = Run({"record", TREMVALE_RECORDS_DATA "/elCentro.AT2", "--all", "--periods",
                           "fine", "--damping", c.damping});
  ASSERT_EQ(result.code, 0) << result.err;
  const std::string_view out = result.out;
  const std::size_t heading = out.find('\n');
  ASSERT_NE(heading, std::string_view::npos);
  EXPECT_EQ(Fingerprint(out.substr(heading + 1)), c.fingerprint) << out.substr(0, 2000);
}

INSTANTIATE_TEST_SUITE_P(Dampings, FineGridTest,
                         ::testing::Values(FineGridCase{"0.02", 0x1e0dcc76ce5b4d66},
                                           FineGridCase{"0.05", 0xc5bf673f04864a20},
                                           FineGridCase{"0.2", 0x32150c098092d5ae}));

}  // namespace
