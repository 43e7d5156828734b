// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/cli/CliFixture.h"

namespace {

const std::string kElCentro = TREMVALE_RECORDS_DATA "/elCentro.AT2";

// A folder of El Centro with its time axis stretched by each factor: the same motion, its
// spectrum moved along the periods. El Centro itself is given beside the folder.
class SelectTest : public CliFixture {
 protected:
  std::string Library(const std::vector<double>& stretches) const {
    std::ifstream file(kElCentro, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    const std::string text = bytes.str();
    const std::size_t header = text.find("NPTS=");
    const std::size_t end = text.find('\n', header);
    std::filesystem::create_directory(folder / "library");
    for (std::size_t k = 0; k < stretches.size(); ++k) {
      char line[64];
      std::snprintf(line, sizeof line, "NPTS=  1559, DT= %.4f SEC\r", 0.02 * stretches[k]);
      WriteFile("library/s" + std::to_string(k) + ".AT2",
                text.substr(0, header) + line + text.substr(end));
    }
    WriteFile("library/notes.txt", "not a record");
    return PathOf("library");
  }
};

struct SelectCase {
  const char* what;
  std::vector<std::string> options;
  int code;
  std::vector<std::string> set;  // the best set, as --format list prints it
};

class SelectRunTest : public SelectTest, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(SelectRunTest, BestSetAndExitCode) {
  const SelectCase& c = GetParam();
  std::vector<std::string> args{"select",
                                "--periods",
                                "0.5,1.0",
                                "--pga",
                                "0.20",
                                "--site",
                                "II",
                                "--action",
                                "rare",
                                "--count",
                                "3",
                                "--library",
                                Library({0.6, 0.75, 0.9, 1.15, 1.3, 1.45, 1.6}),
                                kElCentro};
  for (std::string option : c.options) {
    if (option.starts_with("LIB/")) option = PathOf("library/") + option.substr(4);
    args.push_back(option);
  }
  args.insert(args.end(), {"--format", "list"});
  const auto result = Run(args);
  EXPECT_EQ(result.code, c.code) << result.err;
  std::vector<std::string> expected;
  for (const std::string& name : c.set) {
    expected.push_back(name == "elCentro" ? kElCentro : PathOf("library/" + name + ".AT2"));
  }
  EXPECT_EQ(Lines(result.out), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, SelectRunTest,
    ::testing::Values(SelectCase{"none passes", {"--tolerance", "20"}, 3, {"elCentro", "s0", "s1"}},
                      SelectCase{"passes", {"--tolerance", "30"}, 0, {"s0", "s1", "s4"}},
                      SelectCase{"required",
                                 {"--tolerance", "30", "--require", "LIB/s6.AT2"},
                                 3,
                                 {"s0", "s1", "s6"}}),
    CaseName<SelectCase>);

TEST_F(SelectTest, TextSaysThatNoSetPassesAndShowsTheCheck) {
  const auto result = Run({"select", "--periods", "0.5,1.0", "--pga", "0.20", "--site", "II",
                           "--action", "rare", "--count", "3", "--library",
                           Library({0.6, 0.75, 1.45, 1.6}), kElCentro, "--alternatives", "2"});
  EXPECT_EQ(result.code, 3) << result.err;
  const auto lines = Lines(result.out);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[1], "Shape band: 0.10 to 1.50 s (141 periods)");
  EXPECT_EQ(lines[2], "Search: all 10 sets compared; the best set is the best there is.");
  EXPECT_TRUE(lines[3].ends_with("; no set passes")) << lines[3];
  EXPECT_NE(result.out.find("Result: the set does not pass"), std::string::npos);
  EXPECT_NE(result.out.find("Alternatives:"), std::string::npos);
}

class SelectRefusedTest : public SelectTest, public ::testing::WithParamInterface<RefusedRun> {};

TEST_P(SelectRefusedTest, ExitsWithTheReason) {
  const RefusedRun& run = GetParam();
  std::vector<std::string> args{"select", "--periods", "0.5,1.0",
                                "--pga",  "0.20",      "--action",
                                "rare",   "--library", Library({0.6, 0.75, 0.9})};
  args.insert(args.end(), run.options.begin(), run.options.end());
  ExpectRefused(Run(args), run);
}

INSTANTIATE_TEST_SUITE_P(
    Options, SelectRefusedTest,
    ::testing::Values(
        RefusedRun{"too few",
                   {"--count", "4"},
                   2,
                   "3 of the 3 records remain (0 left out for an effective duration below 5 T1, "
                   "0 for a scale factor outside the scale band): too few for a set of 4."},
        RefusedRun{"band reversed",
                   {"--band", "2,1"},
                   2,
                   "--band: The shape band must run from a period above 0 to one of at most 6 "
                   "s, the shorter first."},
        RefusedRun{"scaled out",
                   {"--count", "2", "--scale-band", "2,4"},
                   2,
                   "0 of the 3 records remain (0 left out for an effective duration below 5 T1, "
                   "3 for a scale factor outside the scale band): too few for a set of 2."},
        RefusedRun{"no record", {"--count", "0"}, 2, "The set needs at least one record."},
        RefusedRun{"time limit",
                   {"--time-limit", "0"},
                   2,
                   "The time limit must be a positive number of seconds."}),
    CaseName<RefusedRun>);

}  // namespace
