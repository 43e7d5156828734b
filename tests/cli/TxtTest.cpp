#include <charconv>
#include <fstream>

#include "model/DesignSpectrum.h"
#include "model/NumberText.h"
#include "tests/cli/CliFixture.h"

namespace {

double ReadDouble(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
  return value;
}

// Reads a txt file by the rules of analysis programs: leading "$" lines are skipped, then
// each line is two numbers separated by one space, and a blank line would end the data.
// Checks every pair against the spectrum and returns the periods.
std::vector<double> ReadTxt(const std::string& text, const DesignSpectrum& spectrum) {
  std::vector<double> periods;
  bool data = false;
  for (const std::string& line : CliFixture::Lines(text)) {
    EXPECT_FALSE(line.empty()) << "blank line inside the data";
    if (!data && !line.empty() && line[0] == '$') continue;
    data = true;
    const std::size_t space = line.find(' ');
    EXPECT_NE(space, std::string::npos) << line;
    EXPECT_EQ(line.find(' ', space + 1), std::string::npos) << line;
    const double period = ReadDouble(line.substr(0, space));
    double sa = 0;
    EXPECT_EQ(spectrum.GetSa(period, sa), 0);
    EXPECT_EQ(ReadDouble(line.substr(space + 1)), sa) << line;
    periods.push_back(period);
  }
  return periods;
}

class TxtTest : public CliFixture {};

TEST_F(TxtTest, OneSpectrumToStandardOutput) {
  const auto result = Run({"spectrum", "--format", "txt", "--code", "2001", "--damping", "0.02"});
  ASSERT_EQ(result.code, 0) << result.err;
  const auto lines = Lines(result.out);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 7),
            (std::vector<std::string>{"$ Tremvale design response spectrum", "$ Name: Spectrum-1",
                                      "$ Code: GB 50011-2001", "$ AlphaMax: 0.04", "$ Tg(s): 0.2",
                                      "$ DampingRatio: 0.02", "$ T(s) Sa(g)"}));
  const auto periods = ReadTxt(result.out, DesignSpectrum("Spectrum-1", 0.04, 0.2, 0.02, 1));
  ASSERT_EQ(periods.size(), 601u);
  for (int i = 0; i < 601; ++i) EXPECT_EQ(periods[static_cast<std::size_t>(i)], FinePeriod(i));
}

TEST_F(TxtTest, BatchToAFolderWithSafeUniqueNames) {
  const std::string batch =
      WriteFile("b.csv", "name,tg\nSpectrum-1,\na/b,0.3\na_b,0.4\n.hidden,0.5\nx:y?,0.6\n");
  const std::string out = PathOf("txt");
  const auto result =
      Run({"spectrum", "--batch", batch, "--format", "txt", "--periods", "coarse", "-o", out});
  ASSERT_EQ(result.code, 0) << result.err;
  const std::vector<std::pair<std::string, DesignSpectrum>> files{
      {"Spectrum-1.txt", {"Spectrum-1", 0.04, 0.2, 0.05, 0}},
      {"a_b.txt", {"a/b", 0.04, 0.3, 0.05, 0}},
      {"a_b-2.txt", {"a_b", 0.04, 0.4, 0.05, 0}},
      {"_.hidden.txt", {".hidden", 0.04, 0.5, 0.05, 0}},
      {"x_y_.txt", {"x:y?", 0.04, 0.6, 0.05, 0}}};
  EXPECT_EQ(FileCount(out), files.size()) << "no temporary file may stay";
  for (const auto& [file, spectrum] : files) {
    const std::string text = ReadFile(out + "/" + file);
    EXPECT_NE(text.find("$ Name: " + spectrum.name + "\n"), std::string::npos) << file;
    EXPECT_EQ(ReadTxt(text, spectrum).size(), 121u) << file;
  }
}

TEST_F(TxtTest, OneSpectrumToAFileOrIntoAFolder) {
  ASSERT_EQ(Run({"spectrum", "--format", "txt", "-o", PathOf("one.txt")}).code, 0);
  EXPECT_EQ(ReadFile(PathOf("one.txt")), Run({"spectrum", "--format", "txt"}).out);
  EXPECT_EQ(Run({"spectrum", "--format", "txt", "-o", "-"}).out, ReadFile(PathOf("one.txt")));
  ASSERT_EQ(Run({"spectrum", "--format", "txt", "--name", "In", "-o", PathOf("dir/")}).code, 0);
  EXPECT_TRUE(std::filesystem::exists(PathOf("dir/In.txt")));
}

TEST_F(TxtTest, SeveralSpectraNeedAFolder) {
  const std::string batch = WriteFile("b.csv", "name\nA\nB\n");
  const auto result = Run({"spectrum", "--batch", batch, "--format", "txt"});
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.err,
            "tremvale-cli: the txt format holds one spectrum per file: give a folder with -o "
            "DIR\n");
  WriteFile("file", "keep");
  EXPECT_EQ(Run({"spectrum", "--batch", batch, "--format", "txt", "-o", PathOf("file")}).code, 2);
  EXPECT_EQ(ReadFile(PathOf("file")), "keep");
}

TEST_F(TxtTest, ABatchIsAlwaysAFolderAndReplacedWholeOrNotAtAll) {
  const std::string out = PathOf("out");
  const auto batch = [&](const std::string& rows) {
    return Run(
        {"spectrum", "--batch", WriteFile("b.csv", "name\n" + rows), "--format", "txt", "-o", out});
  };
  ASSERT_EQ(batch("S1\n").code, 0);
  EXPECT_EQ(FileCount(out), 1u) << "one row: a folder too";
  std::ofstream(out + "/S1.txt") << "old";
  std::filesystem::create_directory(out + "/S2.txt");
  const auto result = batch("S1\nS2\n");
  EXPECT_EQ(result.code, 1);
  EXPECT_EQ(result.err,
            "tremvale-cli: Cannot replace file \"" + out + "/S2.txt\": it is a folder\n");
  EXPECT_EQ(ReadFile(out + "/S1.txt"), "old");
  EXPECT_EQ(FileCount(out), 2u) << "no staged file may stay";
  std::filesystem::remove(out + "/S2.txt");
  EXPECT_EQ(batch("S1\nS2\n").code, 0);
  EXPECT_EQ(FileCount(out), 2u);
}

// -0 is written as 0 in every number text.
struct MinusZero {
  const char* what;
  std::vector<std::string> args;  // "@" stands for a record file
};

class MinusZeroTest : public CliFixture, public ::testing::WithParamInterface<MinusZero> {};

TEST_P(MinusZeroTest, IsWrittenAsZero) {
  std::vector<std::string> args = GetParam().args;
  for (std::string& arg : args) {
    if (arg == "@") arg = ConstantRecord("r.txt", 1, 1);
  }
  const auto result = Run(args);
  ASSERT_EQ(result.code, 0) << result.err;
  std::string word;
  for (const char c : result.out + "\n") {
    if (std::string_view(" ,:\n[]{}").find(c) == std::string_view::npos) {
      word.push_back(c);
      continue;
    }
    EXPECT_NE(word, "-0");
    word.clear();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MinusZeroTest,
    ::testing::Values(
        MinusZero{"txt", {"spectrum", "--format", "txt", "--damping", "-0", "--periods", "-0,1"}},
        MinusZero{"json", {"spectrum", "--format", "json", "--damping", "-0", "--periods", "-0"}},
        MinusZero{"csv", {"spectrum", "--damping", "-0"}},
        MinusZero{"record", {"record", "@", "--damping", "-0", "--periods", "-0,0.5", "--all"}}),
    CaseName<MinusZero>);

}  // namespace
