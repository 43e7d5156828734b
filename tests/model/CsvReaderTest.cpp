// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CsvReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Records = std::vector<std::pair<std::size_t, std::vector<std::string>>>;

Records ReadAll(std::string_view bytes) {
  CsvReader reader(bytes);
  Records records;
  for (CsvRecord record; reader.Next(record);) records.emplace_back(record.line, record.fields);
  return records;
}

struct GoodCase {
  const char* what;
  std::string bytes;
  Records records;
};

class CsvReaderGoodTest : public ::testing::TestWithParam<GoodCase> {};

TEST_P(CsvReaderGoodTest, RecordsFieldsAndLines) {
  EXPECT_EQ(ReadAll(GetParam().bytes), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvReaderGoodTest,
    ::testing::Values(
        GoodCase{"empty", "", {}}, GoodCase{"no final break", "a,b", {{1, {"a", "b"}}}},
        GoodCase{"line ends", "a\r\nb\nc\rd\r\n", {{1, {"a"}}, {2, {"b"}}, {3, {"c"}}, {4, {"d"}}}},
        GoodCase{"empty fields", ",a,,\n\n", {{1, {"", "a", "", ""}}, {2, {""}}}},
        GoodCase{"quotes", "\"a,b\",\"say \"\"hi\"\"\",\"\"\n", {{1, {"a,b", "say \"hi\"", ""}}}},
        GoodCase{"break inside quotes", "\"a\r\nb\",c\nd\n", {{1, {"a\r\nb", "c"}}, {3, {"d"}}}},
        GoodCase{"byte-order mark", "\xEF\xBB\xBFname\n", {{1, {"name"}}}},
        GoodCase{"bytes pass", std::string("\xFF\0x", 3), {{1, {std::string("\xFF\0x", 3)}}}}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

struct BadCase {
  std::string bytes;
  std::size_t line;
  std::string message;
};

class CsvReaderBadTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(CsvReaderBadTest, ThrowsWithTheLine) {
  try {
    ReadAll(GetParam().bytes);
    FAIL() << "no error";
  } catch (const CsvError& error) {
    EXPECT_EQ(error.line(), GetParam().line);
    EXPECT_EQ(std::string(error.what()), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvReaderBadTest,
    ::testing::Values(BadCase{"a\n\"b\nc", 2, "a quoted field is not closed"},
                      BadCase{"a\n\n\"b\"c", 3, "a closing quote is followed by other text"},
                      BadCase{"a\"b", 1, "a quote inside a field that does not begin with one"},
                      BadCase{"\"x\ny\" \n", 2, "a closing quote is followed by other text"}));

}  // namespace
