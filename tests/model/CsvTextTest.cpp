// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CsvText.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

#include "model/SpectrumList.h"
#include "tests/model/ModelFixture.h"

namespace {

// Splits at CR LF; the text must end with one.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

class CsvTextTest : public ModelFixture {
 protected:
  void Add(const std::string& name, double alphaMax, double tg, double damping, int codeType) {
    spectra.Append(std::make_unique<DesignSpectrum>(name, alphaMax, tg, damping, codeType));
  }
  void AddStartUpSpectrum() { Add("Spectrum-1", 0.04, 0.2, 0.05, 0); }
  void AddSecondSpectrum() { Add("Spectrum-2", 0.08, 0.35, 0.05, 1); }

  // Checks the listed lines, counted from 1.
  void ExpectLines(const std::vector<std::string>& lines, const std::map<int, std::string>& want) {
    for (const auto& [number, text] : want) {
      ASSERT_LE(static_cast<std::size_t>(number), lines.size());
      EXPECT_EQ(lines[static_cast<std::size_t>(number) - 1], text) << "line " << number;
    }
  }

  SpectrumList spectra;
};

TEST_F(CsvTextTest, OneStartUpSpectrum) {
  AddStartUpSpectrum();
  const std::string text = BuildCsvText(spectra, ".");
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(0, 12), "ResponseName");  // no byte-order mark
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  const auto lines = Lines(text);
  EXPECT_EQ(lines.size(), 606u);
  ExpectLines(lines, {{1, "ResponseName,DesignCode,Alphamax,Tg(s),DampingRatio"},
                      {2, "Spectrum-1,GB 50011-2010,0.04,0.2,0.05"},
                      {3, ""},
                      {4, ",Spectrum-1,"},
                      {5, "Period(s),Sa(g),"},
                      {6, "0.00,1.8000E-02,"},
                      {7, "0.01,2.0200E-02,"},
                      {8, "0.02,2.2400E-02,"},
                      {16, "0.10,4.0000E-02,"},
                      {26, "0.20,4.0000E-02,"},
                      {27, "0.21,3.8282E-02,"},
                      {106, "1.00,9.3970E-03,"},
                      {107, "1.01,9.3890E-03,"},
                      {606, "6.00,5.3970E-03,"}});
}

TEST_F(CsvTextTest, TwoSpectraInListOrder) {
  AddStartUpSpectrum();
  AddSecondSpectrum();
  const auto lines = Lines(BuildCsvText(spectra, "."));
  EXPECT_EQ(lines.size(), 607u);
  ExpectLines(lines, {{1, "ResponseName,DesignCode,Alphamax,Tg(s),DampingRatio"},
                      {2, "Spectrum-1,GB 50011-2010,0.04,0.2,0.05"},
                      {3, "Spectrum-2,GB 50011-2001,0.08,0.35,0.05"},
                      {4, ""},
                      {5, ",Spectrum-1,Spectrum-2,"},
                      {6, "Period(s),Sa(g),Sa(g),"},
                      {7, "0.00,1.8000E-02,3.6000E-02,"},
                      {107, "1.00,9.3970E-03,3.1099E-02,"},
                      {607, "6.00,5.3970E-03,1.1994E-02,"}});
}

TEST_F(CsvTextTest, EveryDataLineHasThePeriodAndOneCellPerSpectrum) {
  AddStartUpSpectrum();
  AddSecondSpectrum();
  Add("Third", 1.4, 0.9, 0.0, 0);
  const auto lines = Lines(BuildCsvText(spectra, "."));
  ASSERT_EQ(lines.size(), 608u);
  for (int i = 0; i < 601; ++i) {
    const std::string& line = lines[static_cast<std::size_t>(7 + i)];
    ASSERT_EQ(line.substr(0, 5),
              FormatPattern(NumberPattern::TwoDecimals, FinePeriod(i), ".") + ",")
        << "period " << i;
    ASSERT_EQ(std::count(line.begin(), line.end(), ','), 4) << "period " << i << ": " << line;
  }
  EXPECT_TRUE(warnings.empty());
}

TEST_F(CsvTextTest, CommaSeparatorQuotesEveryNumber) {
  AddStartUpSpectrum();
  const auto lines = Lines(BuildCsvText(spectra, ","));
  ASSERT_EQ(lines.size(), 606u);
  ExpectLines(lines, {{2, "Spectrum-1,GB 50011-2010,\"0,04\",\"0,2\",\"0,05\""},
                      {4, ",Spectrum-1,"},
                      {6, "\"0,00\",\"1,8000E-02\","},
                      {606, "\"6,00\",\"5,3970E-03\","}});
}

TEST_F(CsvTextTest, WholeNumbersStayUnquotedUnderCommaSeparator) {
  Add("s", 1.0, 0.0, 0.0, 0);
  ExpectLines(Lines(BuildCsvText(spectra, ",")), {{2, "s,GB 50011-2010,1,0,0"}});
}

TEST_F(CsvTextTest, NamesWithCommaOrQuoteAreQuoted) {
  Add("a,b", 0.04, 0.2, 0.05, 0);
  Add("say \"hi\"", 0.04, 0.2, 0.05, 0);
  Add("plain 'x' <b>", 0.04, 0.2, 0.05, 0);
  const auto lines = Lines(BuildCsvText(spectra, "."));
  ASSERT_EQ(lines.size(), 608u);
  ExpectLines(lines, {{2, "\"a,b\",GB 50011-2010,0.04,0.2,0.05"},
                      {3, "\"say \"\"hi\"\"\",GB 50011-2010,0.04,0.2,0.05"},
                      {4, "plain 'x' <b>,GB 50011-2010,0.04,0.2,0.05"},
                      {6, ",\"a,b\",\"say \"\"hi\"\"\",plain 'x' <b>,"}});
}

TEST_F(CsvTextTest, NonAsciiNamesAndSeparatorPassUnchanged) {
  Add("\xE5\x8F\x8D\xE5\xBA\x94", 0.04, 0.2, 0.05, 0);  // 反应
  ExpectLines(Lines(BuildCsvText(spectra, "\xD9\xAB")),
              {{2,
                "\xE5\x8F\x8D\xE5\xBA\x94,GB 50011-2010,0\xD9\xAB"
                "04,0\xD9\xAB"
                "2,0\xD9\xAB"
                "05"},
               {6,
                "0\xD9\xAB"
                "00,1\xD9\xAB"
                "8000E-02,"}});
}

}  // namespace

namespace {

using Record = std::vector<std::string>;

// A strict RFC 4180 reader: records end with CR LF, fields are split by ",", a field that
// starts with '"' runs to the next lone '"' with "" standing for one quote and may hold
// commas, CR and LF. Anything else (a quote inside an unquoted field, text after a closing
// quote, a CR or LF outside quotes, no CR LF at the end) is a failure.
std::vector<Record> ReadRfc4180(const std::string& text) {
  std::vector<Record> records;
  Record record;
  std::string field;
  std::size_t i = 0;
  const auto fail = [&](const char* why) {
    ADD_FAILURE() << why << " at byte " << i;
    return std::vector<Record>{};
  };
  while (i < text.size()) {
    if (text[i] == '"') {
      for (++i;; ++i) {
        if (i >= text.size()) return fail("unterminated quoted field");
        if (text[i] != '"') {
          field.push_back(text[i]);
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
          field.push_back('"');
          ++i;
        } else {
          ++i;
          break;
        }
      }
    } else {
      for (; i < text.size() && text[i] != ',' && text[i] != '\r'; ++i) {
        if (text[i] == '"' || text[i] == '\n') return fail("quote or LF in an unquoted field");
        field.push_back(text[i]);
      }
    }
    if (i < text.size() && text[i] == ',') {
      record.push_back(std::move(field));
      field.clear();
      ++i;
    } else if (text.compare(i, 2, "\r\n") == 0) {
      record.push_back(std::move(field));
      field.clear();
      records.push_back(std::move(record));
      record.clear();
      i += 2;
    } else {
      return fail("a field ends without a comma or CR LF");
    }
  }
  if (!record.empty() || !field.empty()) return fail("no CR LF after the last record");
  return records;
}

struct NameCase {
  const char* what;
  std::string name;
  bool quoted;  // in the file
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << c.what; }

class CsvNameTest : public ModelFixture,
                    public ::testing::WithParamInterface<std::tuple<NameCase, const char*>> {};

// Whatever a name holds and whatever the decimal separator, a reader gets back exactly the
// rows and fields meant; only names that need it are quoted.
TEST_P(CsvNameTest, ReadsBackExactlyTheIntendedRecords) {
  const auto& [nameCase, separator] = GetParam();
  const std::vector<std::string> names = {"plain", nameCase.name};
  SpectrumList spectra;
  for (const std::string& name : names) {
    spectra.Append(std::make_unique<DesignSpectrum>(name, 0.04, 0.2, 0.05, 0));
  }
  const std::string text = BuildCsvText(spectra, separator);

  std::vector<Record> expected = {
      {"ResponseName", "DesignCode", "Alphamax", "Tg(s)", "DampingRatio"}};
  for (const std::string& name : names) {
    expected.push_back({name, "GB 50011-2010", FormatGeneral(0.04, separator),
                        FormatGeneral(0.2, separator), FormatGeneral(0.05, separator)});
  }
  expected.push_back({""});
  expected.push_back({"", names[0], names[1], ""});
  expected.push_back({"Period(s)", "Sa(g)", "Sa(g)", ""});
  for (std::int32_t i = 0; i < FinePeriodCount(); ++i) {
    double sa = 0;
    spectra.At(0).GetSa(FinePeriod(i), sa);
    const std::string cell = FormatPattern(NumberPattern::Scientific, sa, separator);
    expected.push_back(
        {FormatPattern(NumberPattern::TwoDecimals, FinePeriod(i), separator), cell, cell, ""});
  }
  EXPECT_EQ(ReadRfc4180(text), expected);
  // The second parameter line starts with the name: quoted exactly when it needs it.
  const std::size_t secondLine = text.find("\r\n", text.find("\r\nplain,") + 2) + 2;
  EXPECT_EQ(text[secondLine] == '"', nameCase.quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CsvNameTest,
    ::testing::Combine(::testing::Values(NameCase{"CR", "line1\rline2", true},
                                         NameCase{"LF", "line1\nline2", true},
                                         NameCase{"CRLF", "line1\r\nline2", true},
                                         NameCase{"Comma", "a,b", true},
                                         NameCase{"Quote", "say \"hi\"", true},
                                         NameCase{"QuotesAndLineBreak", "\"\r\n\"", true},
                                         NameCase{"Nul", std::string("nul\0byte", 8), false},
                                         NameCase{"InvalidUtf8", "bad\xFF\xC0\x80", false}),
                       ::testing::Values(".", ",")),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).what) +
             (std::string(std::get<1>(info.param)) == "." ? "Point" : "Comma");
    });

}  // namespace
