// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/cli/CliFixture.h"

namespace {

struct BadBatch {
  const char* what;
  std::string bytes;
  std::string message;  // after "FILE"
};

class BatchErrorTest : public CliFixture, public ::testing::WithParamInterface<BadBatch> {};

TEST_P(BatchErrorTest, NamesTheFileAndTheLine) {
  const std::string batch = WriteFile("b.csv", GetParam().bytes);
  const auto result = Run({"spectrum", "--batch", batch, "-o", PathOf("out.csv")});
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.err, "tremvale-cli: " + batch + GetParam().message + "\n");
  EXPECT_FALSE(std::filesystem::exists(PathOf("out.csv")));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BatchErrorTest,
    ::testing::Values(
        BadBatch{"empty", "",
                 ": the file is empty; its first line names the columns, some of "
                 "name,code,pga,action,site,group,damping,alpha_max,tg"},
        BadBatch{"header only", "name,tg\r\n", ": no spectrum in the file"},
        BadBatch{"unknown column", "name,alpha-max\n",
                 ":1: \"alpha-max\" is not a column name; the columns are "
                 "name,code,pga,action,site,group,damping,alpha_max,tg"},
        BadBatch{"column twice", "tg,name,tg\n", ":1: the column tg appears twice"},
        BadBatch{"short row", "name,tg\nA,0.3\nB\n",
                 ":3: 1 fields where the header names 2 columns"},
        BadBatch{"bad choice", "name,pga\nA,0.05\nB,0.07\n",
                 ":3: pga: \"0.07\" is not one of 0.05|0.10|0.15|0.20|0.30|0.40"},
        BadBatch{"bad site", "site\nV\n", ":2: site: \"V\" is not one of I0|I1|II|III|IV"},
        BadBatch{"unclosed quote", "name,tg\nA,0.3\n\"B,0.4\n", ":3: a quoted field is not closed"},
        BadBatch{"text after quote", "name\n\"A\"x\n",
                 ":2: a closing quote is followed by other text"},
        BadBatch{"quote inside", "name\nA\"B\n",
                 ":2: a quote inside a field that does not begin with one"},
        BadBatch{"row over two lines", "name,tg\nA,0.3\n\"B\nC\",0.4\n",
                 ":3: name: Response Name must be UTF-8 text without control characters."}),
    CaseName<BadBatch>);

TEST_F(CliFixture, EmptyCellsTakeOptionsThenStartUpValues) {
  const std::string batch = WriteFile("b.csv",
                                      "\xEF\xBB\xBFpga,name,action,damping\r\n"
                                      ",,,\r\n"
                                      "0.20,\"a,\"\"b\"\"\",rare,0.02\r\n"
                                      "\r\n"
                                      ",Last,,\r\n");
  const auto result = Run({"spectrum", "--batch", batch, "--damping", "0.1", "--code", "2001"});
  ASSERT_EQ(result.code, 0) << result.err;
  const auto lines = Lines(result.out);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[1], "Spectrum-1,GB 50011-2001,0.04,0.2,0.1");
  EXPECT_EQ(lines[2], "\"a,\"\"b\"\"\",GB 50011-2001,0.9,0.2,0.02");
  EXPECT_EQ(lines[3], "Last,GB 50011-2001,0.04,0.2,0.1");
}

TEST_F(CliFixture, NameOptionBesideABatchIsAUsageError) {
  const std::string batch = WriteFile("b.csv", "tg\n0.3\n");
  const auto result = Run({"spectrum", "--batch", batch, "--name", "X"});
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.err,
            "tremvale-cli: --name cannot be used with --batch: the batch names its spectra\n");
}

}  // namespace
