// SPDX-License-Identifier: GPL-3.0-or-later
#include <charconv>

#include "tests/cli/CliFixture.h"

namespace {

// Sets of constant records (a step of ground acceleration, PSA = StepPsa(PGA) at every period)
// against the 2010 design spectrum for site I0, group 1: Tg = 0.2 s, so at the main periods
// 0.1 and 0.2 s the design value is AlphaMax. Scaled to the code's 70 cm/s2 for 0.20 g,
// frequent, the mean lies 17.3 % below AlphaMax 0.16.
struct SetCase {
  const char* what;
  std::vector<double> realSeconds;  // one real record per entry, lasting so long
  std::size_t artificial;           // artificial records of 3 s
  std::vector<std::string> options;
  int code;
  std::string set;      // the set's line
  std::string verdict;  // the last line
};

class CheckSetTest : public CliFixture, public ::testing::WithParamInterface<SetCase> {};

TEST_P(CheckSetTest, ExitCodeFollowsTheVerdict) {
  const SetCase& c = GetParam();
  std::vector<std::string> args{"check", "--periods", "0.1,0.2"};
  args.insert(args.end(), c.options.begin(), c.options.end());
  for (std::size_t i = 0; i < c.realSeconds.size(); ++i) {
    args.push_back(ConstantRecord("real" + std::to_string(i) + ".txt", 1, c.realSeconds[i]));
  }
  for (std::size_t i = 0; i < c.artificial; ++i) {
    args.push_back("--artificial");
    args.push_back(ConstantRecord("art" + std::to_string(i) + ".txt", 0.5, 3));
  }
  const auto result = Run(args);
  EXPECT_EQ(result.code, c.code) << result.out << result.err;
  EXPECT_EQ(result.err, "");
  const auto lines = Lines(result.out);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], c.set);
  EXPECT_EQ(lines.back(), c.verdict);
}

const std::string kEnvelope = "3 to 6 records: use the envelope of the results";
const std::string kThreeReal =
    "Set: 3 records, 3 real, 0 artificial: real records at least two thirds; " + kEnvelope;
const std::string kTooFew = "fewer than 3 records: not a set the code accepts";

INSTANTIATE_TEST_SUITE_P(
    Sets, CheckSetTest,
    ::testing::Values(
        SetCase{"close to the design spectrum",
                {3, 3, 3},
                0,
                {"--pga", "0.20"},
                0,
                kThreeReal,
                "Result: the set passes"},
        SetCase{"rare at 0.30 g",
                {3, 3, 3},
                0,
                {"--pga", "0.30", "--action", "rare"},
                0,
                kThreeReal,
                "Result: the set passes"},
        SetCase{"far off",
                {3, 3, 3},
                0,
                {"--pga", "0.20", "--target-pga", "140"},
                3,
                kThreeReal,
                "Result: the set does not pass (2 of 2 periods outside the tolerance of 20 %)"},
        SetCase{"tighter tolerance",
                {3, 3, 3},
                0,
                {"--pga", "0.20", "--tolerance", "17"},
                3,
                kThreeReal,
                "Result: the set does not pass (2 of 2 periods outside the tolerance of 17 %)"},
        SetCase{"as read",
                {3, 3, 3},
                0,
                {"--alpha-max", "1.6", "--no-scaling"},
                0,
                kThreeReal,
                "Result: the set passes"},
        SetCase{
            "two real of three",
            {3, 3},
            1,
            {"--pga", "0.20"},
            0,
            "Set: 3 records, 2 real, 1 artificial: real records at least two thirds; " + kEnvelope,
            "Result: the set passes"},
        SetCase{"seven use the mean",
                {3, 3, 3, 3, 3, 3, 3},
                0,
                {"--pga", "0.20"},
                0,
                "Set: 7 records, 7 real, 0 artificial: real records at least two thirds; 7 or "
                "more records: the mean of the results may be used",
                "Result: the set passes"},
        SetCase{"a single record",
                {3},
                0,
                {"--pga", "0.20"},
                3,
                "Set: 1 record, 1 real, 0 artificial: real records at least two thirds; " + kTooFew,
                "Result: the set does not pass (fewer than 3 records)"},
        SetCase{
            "one real of two",
            {3},
            1,
            {"--pga", "0.20"},
            3,
            "Set: 2 records, 1 real, 1 artificial: real records fewer than two thirds; " + kTooFew,
            "Result: the set does not pass (too few real records; fewer than 3 records)"},
        SetCase{"artificial only",
                {},
                3,
                {"--pga", "0.20"},
                3,
                "Set: 3 records, 0 real, 3 artificial: real records fewer than two thirds; " +
                    kEnvelope,
                "Result: the set does not pass (too few real records)"},
        SetCase{"too short for T1 the longest period",
                {3, 3, 0.99},
                0,
                {"--pga", "0.20"},
                3,
                kThreeReal,
                "Result: the set does not pass (1 record shorter than 1 s (5 T1))"},
        SetCase{"just long enough",
                {3, 3, 1},
                0,
                {"--pga", "0.20"},
                0,
                kThreeReal,
                "Result: the set passes"},
        SetCase{
            "everything",
            {0.3},
            1,
            {"--pga", "0.20", "--target-pga", "10"},
            3,
            "Set: 2 records, 1 real, 1 artificial: real records fewer than two thirds; " + kTooFew,
            "Result: the set does not pass (2 of 2 periods outside the tolerance of 20 %; 1 "
            "record shorter than 1 s (5 T1); too few real records; fewer than 3 records)"}),
    CaseName<SetCase>);

TEST_F(CliFixture, CsvHoldsTheExactNumbers) {
  const std::string real = ConstantRecord("real.txt", 0.3, 3);
  const std::string artificial = ConstantRecord("art.txt", 2, 0.4);
  const auto result = Run({"check", "--periods", "0.2,0.1", "--pga", "0.20", "--format", "csv",
                           real, "--artificial", artificial, "-o", PathOf("check.csv")});
  EXPECT_EQ(result.code, 3) << result.err;
  EXPECT_EQ(result.out, "");
  const auto lines = Lines(ReadFile(PathOf("check.csv")));
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[2], "Tolerance(%),T1(s),MinimumDuration(s),ScaleBandLow,ScaleBandHigh");
  EXPECT_EQ(lines[3], "20,0.2,1,0.25,4");
  EXPECT_EQ(lines[5], "Period(s),Mean(g),Design(g),Deviation(%),Result," + real + " PSA(g)," +
                          artificial + " PSA(g)");
  const double psa = StepPsa(70 / kGal);  // both scaled to 70 cm/s2
  for (std::size_t i = 6; i <= 7; ++i) {
    const auto fields = Fields(lines[i]);
    ASSERT_EQ(fields.size(), 7u) << lines[i];
    EXPECT_EQ(fields[0], i == 6 ? "0.2" : "0.1");
    for (const std::size_t f : {1, 5, 6}) EXPECT_NEAR(Number(fields[f]), psa, 1e-14);
    EXPECT_EQ(fields[2], "0.16");
    EXPECT_NEAR(Number(fields[3]), (psa / 0.16 - 1) * 100, 1e-10);
    EXPECT_EQ(fields[4], "pass");
  }
  EXPECT_EQ(lines[9],
            "Record,Kind,PGA(g),ScaleFactor,ScaleFactorInBand,EffectiveDuration(s),Duration");
  const auto first = Fields(lines[10]);
  EXPECT_EQ(first[0], real);
  EXPECT_EQ(first[1], "real");
  EXPECT_EQ(first[2], "0.3");
  EXPECT_NEAR(Number(first[3]), 70 / kGal / 0.3, 1e-15);
  EXPECT_EQ(first[4], "no");
  EXPECT_EQ(first[6], "long enough");
  EXPECT_EQ(Fields(lines[11])[1], "artificial");
  EXPECT_EQ(Fields(lines[11])[6], "too short");
  EXPECT_EQ(lines[13], "Records,Real,Artificial,RealAtLeastTwoThirds,SetRule,Result,Reasons");
  EXPECT_EQ(lines[14],
            "2,1,1,no,too few,fail,1 record shorter than 1 s (5 T1); too few real records; "
            "fewer than 3 records");
}

TEST_F(CliFixture, ElCentroAgainstItsOwnSpectrumPasses) {
  const std::string file = TREMVALE_RECORDS_DATA "/elCentro.AT2";
  // The record's PSA at 0.5 s scaled to 200 cm/s2 becomes the design spectrum's plateau.
  const auto spectrum = Run({"record", file, "--periods", "0.5", "--target-pga", "200"});
  ASSERT_EQ(spectrum.code, 0) << spectrum.err;
  // To ten digits: the input check takes AlphaMax texts as the window's field does.
  char psa[32];
  const double exact = Number(Fields(Lines(spectrum.out).at(1)).at(1));
  *std::to_chars(psa, psa + 31, exact, std::chars_format::general, 10).ptr = '\0';
  const std::string bytes = ReadFile(file);
  const auto result =
      Run({"check", "--periods", "0.5", "--pga", "0.20", "--action", "fortification", "--alpha-max",
           psa, "--tg", "0.6", file, WriteFile("b.AT2", bytes), WriteFile("c.AT2", bytes)});
  EXPECT_EQ(result.code, 0) << result.out << result.err;
  EXPECT_NE(result.out.find("Scaling: peak ground acceleration 200 cm/s2, the code's value for "
                            "time-history analysis at pga 0.20, fortification\n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find(" 0.00  pass\n"), std::string::npos) << result.out;
}

class CheckUsageTest : public CliFixture, public ::testing::WithParamInterface<RefusedRun> {};

TEST_P(CheckUsageTest, MessageAndExitCode) {
  std::vector<std::string> args{"check"};
  args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
  args.push_back(ConstantRecord("r.txt", 1, 3));
  ExpectRefused(Run(args), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Options, CheckUsageTest,
    ::testing::Values(
        RefusedRun{"no periods", {}, 2, ""},
        RefusedRun{"period zero",
                   {"--periods", "0,0.5"},
                   2,
                   "--periods: Main periods must be at least 0.001 s and at most 6 s."},
        RefusedRun{"period too short",
                   {"--periods", "0.0009"},
                   2,
                   "--periods: Main periods must be at least 0.001 s and at most 6 s."},
        RefusedRun{
            "period beyond 6 s", {"--periods", "6.5"}, 2, "--periods: 6.5 s lies outside 0 to 6 s"},
        RefusedRun{"alpha max",
                   {"--periods", "1", "--alpha-max", "-1"},
                   2,
                   "--alpha-max: AlphaMax must be postive."},
        RefusedRun{"site",
                   {"--periods", "1", "--site", "V"},
                   2,
                   "--site: \"V\" is not one of I0|I1|II|III|IV"},
        RefusedRun{"pga",
                   {"--periods", "1", "--pga", "0.2"},
                   2,
                   "--pga: \"0.2\" is not one of 0.05|0.10|0.15|0.20|0.30|0.40"},
        RefusedRun{"damping 1",
                   {"--periods", "1", "--damping", "1"},
                   2,
                   "--damping: the records' spectra need a damping ratio below 1"},
        RefusedRun{"tolerance",
                   {"--periods", "1", "--tolerance", "0"},
                   2,
                   "--tolerance: Tolerance must be greater than 0 % and less than 100 %."},
        RefusedRun{"tolerance huge",
                   {"--periods", "1", "--tolerance", "1e308"},
                   2,
                   "--tolerance: Tolerance must be greater than 0 % and less than 100 %."},
        RefusedRun{"target beyond 10 g",
                   {"--periods", "1", "--target-pga", "1e308"},
                   2,
                   "--target-pga: Target PGA must be greater than 0 cm/s2 and at most 9806.65 "
                   "cm/s2 (10 g)."},
        RefusedRun{"scale band reversed",
                   {"--periods", "1", "--scale-band", "4,0.25"},
                   2,
                   "--scale-band: The scale factor band needs a low bound above 0 and below its "
                   "high bound, and a high bound of at most 1000."},
        RefusedRun{"scale band one value",
                   {"--periods", "1", "--scale-band", "4"},
                   2,
                   "--scale-band: \"4\" is not LOW,HIGH"},
        RefusedRun{"tolerance text",
                   {"--periods", "1", "--tolerance", "20%"},
                   2,
                   "--tolerance: \"20%\" is not a number"},
        RefusedRun{
            "two scalings", {"--periods", "1", "--no-scaling", "--target-pga", "100"}, 2, ""},
        RefusedRun{"output format", {"--periods", "1", "--format", "json"}, 2, ""},
        RefusedRun{"missing file", {"--periods", "1", "--artificial", "none.txt"}, 1, ""}),
    CaseName<RefusedRun>);

TEST_F(CliFixture, CheckNeedsRecordsEachOnce) {
  EXPECT_EQ(Run({"check", "--periods", "1"}).err,
            "tremvale-cli: no record given: name the record files, artificial ones with "
            "--artificial\n");
  const std::string file = ConstantRecord("r.txt", 1, 3);
  const auto twice = Run({"check", "--periods", "1", file, "--artificial", file});
  EXPECT_EQ(twice.code, 2);
  EXPECT_EQ(twice.err, "tremvale-cli: \"" + file + "\" is given twice; each record counts once\n");
}

TEST_F(CliFixture, EachArtificialOptionTakesOneFile) {
  const std::string a = ConstantRecord("a.txt", 1, 3);
  const std::string b = ConstantRecord("b.txt", 1, 3);
  const auto result = Run({"check", "--periods", "0.1", "--artificial", a, b});
  const auto lines = Lines(result.out);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2],
            "Set: 2 records, 1 real, 1 artificial: real records fewer than two thirds; " + kTooFew);
  EXPECT_NE(result.out.find("R1  real"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("R2  artificial"), std::string::npos) << result.out;
}

// T1 is the longest main period however they are given; scale factors outside the band are
// named in a warning that leaves the verdict alone.
struct TextCase {
  const char* what;
  std::vector<std::string> options;
  std::vector<std::string> shown;
  bool warned;
};

class CheckTextTest : public CliFixture, public ::testing::WithParamInterface<TextCase> {};

TEST_P(CheckTextTest, ShowsT1AndScaleWarnings) {
  std::vector<std::string> args{"check", "--pga", "0.20"};
  args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) args.push_back(ConstantRecord(name, 1, 20));
  const auto result = Run(args);
  EXPECT_EQ(result.err, "");
  for (const std::string& text : GetParam().shown) {
    EXPECT_NE(result.out.find(text), std::string::npos) << text << "\n" << result.out;
  }
  EXPECT_EQ(result.out.find("Warning: 3 records scaled outside") != std::string::npos,
            GetParam().warned)
      << result.out;
}

INSTANTIATE_TEST_SUITE_P(
    Options, CheckTextTest,
    ::testing::Values(
        TextCase{"unordered list",
                 {"--periods", "1.6,0.8"},
                 {"T1: 1.6 s, the longest main period", "at least 8.00 s, 5 T1"},
                 true},
        TextCase{"range", {"--periods", "0.2:0.2:1.6"}, {"T1: 1.6 s", "8.00 s, 5 T1"}, true},
        TextCase{"band warns",
                 {"--periods", "0.5"},
                 {"R1  real  1.000000  0.071380  outside",
                  "Warning: 3 records scaled outside 0.25 to 4: "},
                 true},
        TextCase{"wider band",
                 {"--periods", "0.5", "--scale-band", "0.05,4"},
                 {"scale 0.05 to 4", "0.071380  within"},
                 false}),
    CaseName<TextCase>);

}  // namespace
