// SPDX-License-Identifier: GPL-3.0-or-later
#include <charconv>
#include <map>
#include <memory>
#include <variant>

#include "model/DesignSpectrum.h"
#include "model/NumberText.h"
#include "tests/cli/CliFixture.h"

namespace {

// A strict reader for the JSON the program writes: objects, arrays, strings, numbers, null.
struct Json {
  std::variant<std::nullptr_t, double, std::string, std::vector<Json>, std::map<std::string, Json>>
      value;
  const Json& operator[](const std::string& key) const {
    return std::get<std::map<std::string, Json>>(value).at(key);
  }
  const std::vector<Json>& Array() const { return std::get<std::vector<Json>>(value); }
  double Number() const { return std::get<double>(value); }
  const std::string& String() const { return std::get<std::string>(value); }
};

class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : text_(text) {}
  Json ReadDocument() {
    Json json = Read();
    Skip();
    EXPECT_EQ(pos_, text_.size()) << "text after the JSON value";
    return json;
  }

 private:
  void Skip() {
    while (pos_ < text_.size() && std::string_view(" \n\r\t").find(text_[pos_]) != text_.npos)
      ++pos_;
  }
  bool Take(char c) {
    Skip();
    if (pos_ < text_.size() && text_[pos_] == c) return ++pos_, true;
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) throw std::runtime_error(std::string("expected ") + c);
  }
  std::string ReadString() {
    Expect('"');
    std::string s;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      char c = text_[pos_++];
      if (static_cast<unsigned char>(c) < 0x20) throw std::runtime_error("raw control");
      if (c == '\\') {
        c = text_.at(pos_++);
        if (c == 'u') {
          unsigned code = 0;
          std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, code, 16);
          pos_ += 4;
          c = static_cast<char>(code);  // the program escapes control characters only
        }
      }
      s.push_back(c);
    }
    Expect('"');
    return s;
  }
  Json Read() {
    Skip();
    if (Take('{')) {
      std::map<std::string, Json> members;
      if (Take('}')) return {members};
      do {
        std::string key = ReadString();
        Expect(':');
        members.emplace(std::move(key), Read());
      } while (Take(','));
      Expect('}');
      return {members};
    }
    if (Take('[')) {
      std::vector<Json> items;
      if (Take(']')) return {items};
      do items.push_back(Read());
      while (Take(','));
      Expect(']');
      return {items};
    }
    if (text_.substr(pos_, 1) == "\"") return {ReadString()};
    if (text_.substr(pos_, 4) == "null") return pos_ += 4, Json{nullptr};
    double number = 0;
    const auto [end, error] =
        std::from_chars(text_.data() + pos_, text_.data() + text_.size(), number);
    if (error != std::errc()) throw std::runtime_error("not a value");
    pos_ = static_cast<std::size_t>(end - text_.data());
    return {number};
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

TEST_F(CliFixture, JsonReadsBackToTheSameDoubles) {
  const std::string batch = WriteFile("b.csv",
                                      "name,code,damping,alpha_max,tg\n"
                                      "\"say \"\"hi\"\" \\\",2001,0.0,0.3333333333333333,0.45\n"
                                      "B,2010,0.02,1.2,0.05\n");
  const auto result =
      Run({"spectrum", "--batch", batch, "--format", "json", "--periods", "0:0.007:6"});
  ASSERT_EQ(result.code, 0) << result.err;
  const Json json = JsonReader(result.out).ReadDocument();
  const std::vector<DesignSpectrum> want{{"say \"hi\" \\", 1.0 / 3, 0.45, 0.0, 1},
                                         {"B", 1.2, 0.05, 0.02, 0}};
  ASSERT_EQ(json.Array().size(), want.size());
  for (std::size_t k = 0; k < want.size(); ++k) {
    const Json& got = json.Array()[k];
    const DesignSpectrum& spectrum = want[k];
    EXPECT_EQ(got["name"].String(), spectrum.name);
    EXPECT_EQ(got["code"].String(), spectrum.GetCodeName());
    EXPECT_EQ(got["alpha_max"].Number(), spectrum.alphaMax);
    EXPECT_EQ(got["tg"].Number(), spectrum.tg);
    EXPECT_EQ(got["damping"].Number(), spectrum.damping);
    EXPECT_EQ(got["gamma"].Number(), spectrum.gamma);
    EXPECT_EQ(got["eta1"].Number(), spectrum.eta1);
    EXPECT_EQ(got["eta2"].Number(), spectrum.eta2);
    const auto& periods = got["periods"].Array();
    const auto& sa = got["sa"].Array();
    ASSERT_EQ(periods.size(), 858u);  // 0, 0.007, ..., 5.999
    ASSERT_EQ(sa.size(), periods.size());
    for (std::size_t i = 0; i < periods.size(); ++i) {
      EXPECT_EQ(periods[i].Number(), static_cast<double>(i) * 0.007);
      double expected = 0;
      spectrum.GetSa(periods[i].Number(), expected);
      EXPECT_EQ(sa[i].Number(), expected) << i;
    }
  }
}

struct PeriodsCase {
  std::string text;
  std::vector<double> periods;  // empty: a usage error
};

class PeriodsTest : public CliFixture, public ::testing::WithParamInterface<PeriodsCase> {};

TEST_P(PeriodsTest, PeriodsWithinZeroToSixSeconds) {
  const auto result = Run({"spectrum", "--format", "json", "--periods", GetParam().text});
  if (GetParam().periods.empty()) {
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.err.rfind("tremvale-cli: --periods: ", 0), 0u) << result.err;
    EXPECT_EQ(result.out, "");
    return;
  }
  ASSERT_EQ(result.code, 0) << result.err;
  const Json json = JsonReader(result.out).ReadDocument();
  std::vector<double> got;
  for (const Json& period : json.Array()[0]["periods"].Array()) got.push_back(period.Number());
  EXPECT_EQ(got, GetParam().periods);
}

INSTANTIATE_TEST_SUITE_P(Texts, PeriodsTest,
                         ::testing::Values(PeriodsCase{"0.5,6,0", {0.5, 6, 0}},
                                           PeriodsCase{"1:0.5:2.9", {1, 1.5, 2, 2.5}},
                                           PeriodsCase{"6:1:6", {6}}, PeriodsCase{"6.01", {}},
                                           PeriodsCase{"-0.1", {}}, PeriodsCase{"0:0.1:7", {}},
                                           PeriodsCase{"1:0:2", {}}, PeriodsCase{"2:1:1", {}},
                                           PeriodsCase{"0:1e-9:6", {}}, PeriodsCase{"1,,2", {}},
                                           PeriodsCase{"0x1", {}}, PeriodsCase{"nan", {}},
                                           PeriodsCase{"1:2", {}}, PeriodsCase{"fine!", {}}),
                         [](const auto& info) {
                           std::string name = "p" + std::to_string(info.index) + "_";
                           for (const char c : info.param.text)
                             name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

TEST_F(CliFixture, GridsMatchTheWindowsGrids) {
  for (const auto& [text, count] :
       {std::pair<std::string, int>{"fine", 601}, {"0:0.01:6", 601}, {"coarse", 121}}) {
    const auto result = Run({"spectrum", "--format", "json", "--periods", text});
    ASSERT_EQ(result.code, 0) << result.err;
    const Json json = JsonReader(result.out).ReadDocument();
    const auto& periods = json.Array()[0]["periods"].Array();
    ASSERT_EQ(periods.size(), static_cast<std::size_t>(count)) << text;
    for (int i = 0; i < count; ++i) {
      const double want = count == 121 ? CoarsePeriod(i) : FinePeriod(i);
      EXPECT_EQ(periods[static_cast<std::size_t>(i)].Number(), want) << text << " " << i;
    }
  }
  EXPECT_EQ(Run({"spectrum", "--periods", "coarse"}).code, 2) << "csv has fixed periods";
}

}  // namespace
