// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/cli/CliFixture.h"

namespace {

class ReadTest : public CliFixture {
 protected:
  // Save Data text of the batch, written with the separator.
  std::string Saved(const std::string& batchText, const std::string& separator = ".") {
    const std::string batch = WriteFile("in.csv", batchText);
    const auto result = Run({"spectrum", "--batch", batch, "--separator", separator});
    EXPECT_EQ(result.code, 0) << result.err;
    return result.out;
  }

  // The file with its line (counted from 1) replaced.
  static std::string WithLine(const std::string& text, int number, const std::string& line) {
    auto lines = Lines(text);
    lines.at(static_cast<std::size_t>(number - 1)) = line;
    std::string joined;
    for (const auto& each : lines) joined += each + "\r\n";
    return joined;
  }

  const std::string batch_ =
      "name,code,pga,action,site,group,damping,alpha_max,tg\n"
      "Spectrum-1,,,,,,,,\n"
      "\"Wide, \"\"quoted\"\"\",2001,0.30,rare,III,2,0.02,,\n"
      "Zero,2010,,,,,0,0.1234567,0\n";
};

TEST_F(ReadTest, RoundTripGivesBackTheBatchsSpectra) {
  const std::string saved = Saved(batch_);
  const std::string file = WriteFile("saved.csv", saved);
  const auto read = Run({"read", file});
  ASSERT_EQ(read.code, 0) << read.err;
  EXPECT_EQ(read.out,
            "name,code,alpha_max,tg,damping\r\n"
            "Spectrum-1,2010,0.04,0.2,0.05\r\n"
            "\"Wide, \"\"quoted\"\"\",2001,1.2,0.55,0.02\r\n"
            "Zero,2010,0.1234567,0,0\r\n");
  EXPECT_EQ(Saved(read.out), saved);
}

TEST_F(ReadTest, CommaSeparatorFileReadsTheSame) {
  const std::string commaBatch =
      "name,code,pga,action,site,group,damping,alpha_max,tg\n"
      "Spectrum-1,,,,,,,,\n"
      "\"Wide, \"\"quoted\"\"\",2001,0.30,rare,III,2,\"0,02\",,\n"
      "Zero,2010,,,,,0,\"0,1234567\",0\n";
  const std::string file = WriteFile("saved.csv", Saved(commaBatch, ","));
  const auto read = Run({"read", file});
  ASSERT_EQ(read.code, 0) << read.err;
  EXPECT_EQ(read.out, Run({"read", WriteFile("dot.csv", Saved(batch_))}).out);
  EXPECT_EQ(Run({"read", file, "--separator", ","}).out,
            "name,code,alpha_max,tg,damping\r\n"
            "Spectrum-1,2010,\"0,04\",\"0,2\",\"0,05\"\r\n"
            "\"Wide, \"\"quoted\"\"\",2001,\"1,2\",\"0,55\",\"0,02\"\r\n"
            "Zero,2010,\"0,1234567\",0,0\r\n");
}

TEST_F(ReadTest, SameValueWrittenOtherwiseIsAccepted) {
  const std::string saved = Saved("name\nSpectrum-1\n");
  const auto result = Run({"read", WriteFile("s.csv", WithLine(saved, 6, "0.0,0.018,"))});
  EXPECT_EQ(result.code, 0) << result.err;
}

struct Damage {
  const char* what;
  int line;
  std::string text;     // the new text of that line
  std::string message;  // after "FILE:"
};

class DamagedFileTest : public ReadTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedFileTest, FirstDifferingLineAndExitOne) {
  const std::string saved =
      Saved("name,code,alpha_max,tg\nSpectrum-1,,,\nSpectrum-2,2001,0.08,0.35\n");
  const std::string file = WriteFile("s.csv", WithLine(saved, GetParam().line, GetParam().text));
  const auto result = Run({"read", file});
  EXPECT_EQ(result.code, 1);
  EXPECT_EQ(result.err, "tremvale-cli: " + file + ":" + GetParam().message + "\n");
  EXPECT_EQ(result.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Edits, DamagedFileTest,
    ::testing::Values(
        Damage{"one digit", 107, "1.00,9.3971E-03,3.1099E-02,",
               "107: Sa of \"Spectrum-1\" at T = 1.00 s is 9.3971E-03 in the file; a fresh "
               "computation gives 9.3970E-03"},
        Damage{"second spectrum", 607, "6.00,5.3970E-03,1.1995E-02,",
               "607: Sa of \"Spectrum-2\" at T = 6.00 s is 1.1995E-02 in the file; a fresh "
               "computation gives 1.1994E-02"},
        Damage{"edited input", 3, "Spectrum-2,GB 50011-2001,0.09,0.35,0.05",
               "7: Sa of \"Spectrum-2\" at T = 0.00 s is 3.6000E-02 in the file; a fresh "
               "computation gives 4.0500E-02"},
        Damage{"period", 8, "0.02,2.0200E-02,4.3200E-02,",
               "8: the period is 0.02 where 0.01 belongs"},
        Damage{"not a number", 9, "0.02,abc,4.3200E-02,",
               "9: Sa of \"Spectrum-1\" at T = 0.02 s is abc in the file; a fresh computation "
               "gives 2.2400E-02"},
        Damage{"missing cell", 9, "0.02,2.2400E-02,", "9: 3 fields in a data line, not 4"},
        Damage{"heading", 1, "Name,Code",
               "1: not a Save Data file: the first line is not "
               "ResponseName,DesignCode,Alphamax,Tg(s),DampingRatio"},
        Damage{"names line", 5, ",Spectrum-1,Other,", "5: the names line does not match"},
        Damage{"code", 2, "Spectrum-1,GB 50011-2020,0.04,0.2,0.05",
               "2: \"GB 50011-2020\" is not a design code of this program"},
        Damage{"negative", 2, "Spectrum-1,GB 50011-2010,-0.04,0.2,0.05",
               "2: AlphaMax must be postive."},
        Damage{"duplicate", 3, "Spectrum-1,GB 50011-2001,0.08,0.35,0.05",
               "3: Response with name: \"Spectrum-1\" already exists! Please Input another Name."},
        Damage{"quote", 300, "\"2.93,", "300: a quoted field is not closed"}),
    CaseName<Damage>);

TEST_F(ReadTest, CutOrExtendedFilesAreDamaged) {
  const std::string saved = Saved("name\nSpectrum-1\n");
  const std::string cut = saved.substr(0, saved.rfind("6.00"));
  EXPECT_EQ(
      Run({"read", WriteFile("cut.csv", cut)}).err,
      "tremvale-cli: " + PathOf("cut.csv") + ":606: the file ends before its last data line\n");
  const auto extended = Run({"read", WriteFile("long.csv", saved + "6.01,1.0000E-02,\r\n")});
  EXPECT_EQ(extended.code, 1);
  EXPECT_EQ(extended.err,
            "tremvale-cli: " + PathOf("long.csv") + ":607: text after the last data line\n");
  EXPECT_EQ(Run({"read", WriteFile("empty.csv", "")}).code, 1);
  EXPECT_EQ(Run({"read", PathOf("none.csv")}).code, 1);
  EXPECT_EQ(Run({"read"}).code, 2);
}

}  // namespace
