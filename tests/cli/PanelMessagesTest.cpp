// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/cli/CliFixture.h"

namespace {

// The input panel's checks in their order, through the options and through a batch row.
struct BadInput {
  const char* what;
  std::string name, alphaMax, tg, damping;
  std::string option;  // the entry the message is about
  std::string message;
};

class PanelMessagesTest : public CliFixture, public ::testing::WithParamInterface<BadInput> {};

TEST_P(PanelMessagesTest, OptionsGetTheFirstMessageAndNothingIsWritten) {
  const BadInput& input = GetParam();
  const auto result = Run({"spectrum", "--name", input.name, "--alpha-max", input.alphaMax, "--tg",
                           input.tg, "--damping", input.damping, "-o", PathOf("out.csv")});
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.err, "tremvale-cli: --" + input.option + ": " + input.message + "\n");
  EXPECT_EQ(result.out, "");
  EXPECT_FALSE(std::filesystem::exists(PathOf("out.csv")));
}

TEST_P(PanelMessagesTest, BatchNamesFileLineAndColumn) {
  const BadInput& input = GetParam();
  std::string column = input.option;
  if (column == "alpha-max") column = "alpha_max";
  // A good first row, then the bad one on line 3.
  const std::string batch = WriteFile("b.csv", "name,alpha_max,tg,damping\nfirst,0.1,0.2,0.05\n\"" +
                                                   input.name + "\",\"" + input.alphaMax + "\",\"" +
                                                   input.tg + "\",\"" + input.damping + "\"\n");
  const auto result = Run({"spectrum", "--batch", batch});
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.err, "tremvale-cli: " + batch + ":3: " + column + ": " + input.message + "\n");
  EXPECT_EQ(result.out, "");
}

const std::string kTwoByte =
    "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
    "\xC3\xA9\xC3\xA9";  // ten "é", twenty bytes

INSTANTIATE_TEST_SUITE_P(
    Messages, PanelMessagesTest,
    ::testing::Values(BadInput{"20 letters", std::string(20, 'a'), "0.04", "0.2", "0.05", "name",
                               "Response Name must be less than 20 letters."},
                      BadInput{"20 bytes", kTwoByte, "0.04", "0.2", "0.05", "name",
                               "Response Name must be less than 20 letters."},
                      BadInput{"blanks only", "   \t ", "0.04", "0.2", "0.05", "name",
                               "Please Input Response Name."},
                      BadInput{"name before alpha", " ", "abc", "0.2", "0.05", "name",
                               "Please Input Response Name."},
                      BadInput{"alpha text", "A", " abc", "0.2", "0.05", "alpha-max",
                               "\" abc\" is not a valid floating number!"},
                      BadInput{"alpha negative", "A", "-0.01", "0.2", "0.05", "alpha-max",
                               "AlphaMax must be postive."},
                      BadInput{"alpha before tg", "A", "x", "y", "0.05", "alpha-max",
                               "\"x\" is not a valid floating number!"},
                      BadInput{"tg text", "A", "0.04", "1,5", "0.05", "tg",
                               "\"1,5\" is not a valid floating number!"},
                      BadInput{"tg negative", "A", "0.04", "-1", "0.05", "tg",
                               "Characteristic Groud Period must be postive."},
                      BadInput{"damping tab", "A", "0.04", "0.2", "\t0.05", "damping",
                               "\"\t0.05\" is not a valid floating number!"},
                      BadInput{"damping negative", "A", "0.04", "0.2", "-0.05", "damping",
                               "Damping ratio must be postive."},
                      BadInput{"control inside name", "a\x01z", "0.04", "0.2", "0.05", "name",
                               "Response Name must be UTF-8 text without control characters."},
                      BadInput{"broken UTF-8", "a\xC3z", "0.04", "0.2", "0.05", "name",
                               "Response Name must be UTF-8 text without control characters."}),
    CaseName<BadInput>);

TEST_F(CliFixture, OverflowEndsLikeTheErrorDisplay) {
  const auto result = Run({"spectrum", "--alpha-max", "1e400"});
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.err, "tremvale-cli: Floating point overflow.\n");
  const std::string batch = WriteFile("b.csv", "tg\n0.3\n1e499\n");
  EXPECT_EQ(Run({"spectrum", "--batch", batch}).err,
            "tremvale-cli: " + batch + ":3: Floating point overflow.\n");
}

TEST_F(CliFixture, AcceptsZeroNineteenLettersAndTheEmptyDampingOfAnEmptyCell) {
  const std::string batch =
      WriteFile("b.csv", "name,alpha_max,tg,damping\n" + std::string(19, 'n') + ",0,-0,\n");
  const auto result = Run({"spectrum", "--batch", batch});
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(Lines(result.out)[1], std::string(19, 'n') + ",GB 50011-2010,0,0,0.05");
}

TEST_F(CliFixture, DuplicateNameIsRefusedOnItsLine) {
  const std::string batch = WriteFile("b.csv", "name\nA\nB\n\n A \n");
  const auto result = Run({"spectrum", "--batch", batch});
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.err, "tremvale-cli: " + batch +
                            ":5: name: Response with name: \"A\" already exists! Please Input "
                            "another Name.\n");
}

}  // namespace
