// SPDX-License-Identifier: GPL-3.0-or-later
#include <memory>

#include "model/CsvText.h"
#include "model/NumberText.h"
#include "model/SpectrumList.h"
#include "tests/cli/CliFixture.h"

namespace {

class SpectrumCsvTest : public CliFixture {
 protected:
  // The window's Save Data text for these spectra, under the given separator.
  static std::string SaveData(const std::vector<DesignSpectrum>& list, const char* separator) {
    SpectrumList spectra;
    for (const auto& spectrum : list) spectra.Append(std::make_unique<DesignSpectrum>(spectrum));
    return BuildCsvText(spectra, separator);
  }

  const DesignSpectrum startUp{"Spectrum-1", 0.04, 0.2, 0.05, 0};
  const DesignSpectrum second{"Spectrum-2", 0.08, 0.35, 0.05, 1};
};

TEST_F(SpectrumCsvTest, StartUpSelectionIsTheFirstWorkedExample) {
  const auto result = Run({"spectrum"});
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, SaveData({startUp}, "."));
}

TEST_F(SpectrumCsvTest, BatchGivesTheSecondWorkedExample) {
  const std::string batch = WriteFile("b.csv",
                                      "name,code,alpha_max,tg\r\n"
                                      "Spectrum-1,,,\r\n"
                                      "Spectrum-2,2001,0.08,0.35\r\n");
  const auto result = Run({"spectrum", "--batch", batch, "-o", PathOf("out.csv")});
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(ReadFile(PathOf("out.csv")), SaveData({startUp, second}, "."));
}

TEST_F(SpectrumCsvTest, CommaSeparatorReadsAndWritesCommas) {
  const auto result = Run({"spectrum", "--separator", ",", "--name", "Spectrum-2", "--code", "2001",
                           "--alpha-max", "0,08", "--tg", "0,35"});
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out, SaveData({second}, ","));
}

struct TableCase {
  std::vector<std::string> options;
  std::string parameterLine;
};

class TableDefaultsTest : public SpectrumCsvTest,
                          public ::testing::WithParamInterface<TableCase> {};

TEST_P(TableDefaultsTest, ChoicesPickTheTableValues) {
  std::vector<std::string> args{"spectrum"};
  args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
  const auto result = Run(args);
  ASSERT_EQ(result.code, 0) << result.err;
  ASSERT_GE(Lines(result.out).size(), 2u);
  EXPECT_EQ(Lines(result.out)[1], GetParam().parameterLine);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, TableDefaultsTest,
    ::testing::Values(
        TableCase{{"--pga", "0.15", "--action", "rare"}, "Spectrum-1,GB 50011-2010,0.72,0.2,0.05"},
        TableCase{{"--site", "IV", "--group", "3"}, "Spectrum-1,GB 50011-2010,0.04,0.9,0.05"},
        TableCase{{"--pga", "0.40", "--action", "fortification", "--site", "III", "--group", "2"},
                  "Spectrum-1,GB 50011-2010,0.9,0.55,0.05"},
        TableCase{{"--code", "2001", "--damping", "0.02", "--alpha-max", "0.3"},
                  "Spectrum-1,GB 50011-2001,0.3,0.2,0.02"},
        TableCase{{"--name", "  Mine\t"}, "Mine,GB 50011-2010,0.04,0.2,0.05"}));

}  // namespace
