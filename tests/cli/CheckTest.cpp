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

const std::string kOneReal =
    "Set: 1 record, 1 real, 0 artificial: real records at least two thirds";

INSTANTIATE_TEST_SUITE_P(
    Sets, CheckSetTest,
    ::testing::Values(
        SetCase{"close to the design spectrum",
                {3},
                0,
                {"--pga", "0.20"},
                0,
                kOneReal,
                "Result: the set passes"},
        SetCase{"rare at 0.30 g",
                {3},
                0,
                {"--pga", "0.30", "--action", "rare"},
                0,
                kOneReal,
                "Result: the set passes"},
        SetCase{"far off",
                {3},
                0,
                {"--pga", "0.20", "--target-pga", "140"},
                3,
                kOneReal,
                "Result: the set does not pass (2 of 2 periods outside the tolerance)"},
        SetCase{"tighter tolerance",
                {3},
                0,
                {"--pga", "0.20", "--tolerance", "17"},
                3,
                kOneReal,
                "Result: the set does not pass (2 of 2 periods outside the tolerance)"},
        SetCase{"as read",
                {3},
                0,
                {"--alpha-max", "1.6", "--no-scaling"},
                0,
                kOneReal,
                "Result: the set passes"},
        SetCase{"two real of three",
                {3, 3},
                1,
                {"--pga", "0.20"},
                0,
                "Set: 3 records, 2 real, 1 artificial: real records at least two thirds",
                "Result: the set passes"},
        SetCase{"one real of two",
                {3},
                1,
                {"--pga", "0.20"},
                3,
                "Set: 2 records, 1 real, 1 artificial: real records fewer than two thirds",
                "Result: the set does not pass (too few real records)"},
        SetCase{"artificial only",
                {},
                1,
                {"--pga", "0.20"},
                3,
                "Set: 1 record, 0 real, 1 artificial: real records fewer than two thirds",
                "Result: the set does not pass (too few real records)"},
        SetCase{"too short",
                {3, 0.49},
                0,
                {"--pga", "0.20"},
                3,
                "Set: 2 records, 2 real, 0 artificial: real records at least two thirds",
                "Result: the set does not pass (1 record too short)"},
        SetCase{"just long enough",
                {3, 0.5},
                0,
                {"--pga", "0.20"},
                0,
                "Set: 2 records, 2 real, 0 artificial: real records at least two thirds",
                "Result: the set passes"},
        SetCase{"everything",
                {0.3},
                1,
                {"--pga", "0.20", "--target-pga", "10"},
                3,
                "Set: 2 records, 1 real, 1 artificial: real records fewer than two thirds",
                "Result: the set does not pass (2 of 2 periods outside the tolerance; 1 record too "
                "short; too few real records)"}),
    CaseName<SetCase>);

TEST_F(CliFixture, CsvHoldsTheExactNumbers) {
  const std::string real = ConstantRecord("real.txt", 0.3, 3);
  const std::string artificial = ConstantRecord("art.txt", 2, 0.4);
  const auto result = Run({"check", "--periods", "0.1,0.2", "--pga", "0.20", "--format", "csv",
                           real, "--artificial", artificial, "-o", PathOf("check.csv")});
  EXPECT_EQ(result.code, 3) << result.err;
  EXPECT_EQ(result.out, "");
  const auto lines = Lines(ReadFile(PathOf("check.csv")));
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0], "T(s)," + real + " PSA(g)," + artificial +
                          " PSA(g),Mean(g),Design(g),Deviation(%),Result");
  const double psa = StepPsa(70 / kGal);  // both scaled to 70 cm/s2
  for (std::size_t i = 1; i <= 2; ++i) {
    const auto fields = Fields(lines[i]);
    ASSERT_EQ(fields.size(), 7u) << lines[i];
    EXPECT_EQ(fields[0], i == 1 ? "0.1" : "0.2");
    EXPECT_NEAR(Number(fields[1]), psa, 1e-14);
    EXPECT_NEAR(Number(fields[2]), psa, 1e-14);
    EXPECT_NEAR(Number(fields[3]), psa, 1e-14);
    EXPECT_EQ(fields[4], "0.16");
    EXPECT_NEAR(Number(fields[5]), (psa / 0.16 - 1) * 100, 1e-10);
    EXPECT_EQ(fields[6], "pass");
  }
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4],
            "File,Kind,PGA(g),ScaleFactor,EffectiveDuration(s),MinimumDuration(s),"
            "Duration");
  EXPECT_EQ(Fields(lines[5])[0], real);
  EXPECT_EQ(Fields(lines[5])[1], "real");
  EXPECT_EQ(Fields(lines[5])[2], "0.3");
  EXPECT_NEAR(Number(Fields(lines[5])[3]), 70 / kGal / 0.3, 1e-15);
  EXPECT_EQ(Fields(lines[5])[6], "long enough");
  EXPECT_EQ(Fields(lines[6])[1], "artificial");
  EXPECT_EQ(Fields(lines[6])[6], "too short");
  EXPECT_EQ(lines[8], "Records,Real,Artificial,RealAtLeastTwoThirds,Result");
  EXPECT_EQ(lines[9], "2,1,1,no,fail");
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
  const auto result = Run({"check", "--periods", "0.5", "--pga", "0.20", "--action",
                           "fortification", "--alpha-max", psa, "--tg", "0.6", file});
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
                   "--periods: the main periods must be at least 0.001 s"},
        RefusedRun{"period too short",
                   {"--periods", "0.0009"},
                   2,
                   "--periods: the main periods must be at least 0.001 s"},
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
                   "--tolerance: the tolerance must be above 0 %"},
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
            "Set: 2 records, 1 real, 1 artificial: real records fewer than two thirds");
  EXPECT_NE(result.out.find("R1  real"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("R2  artificial"), std::string::npos) << result.out;
}

}  // namespace
