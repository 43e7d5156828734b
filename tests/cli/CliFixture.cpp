// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/cli/CliFixture.h"

#include <stdlib.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/RunCli.h"
#include "cli/ShortestText.h"

void CliFixture::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tremvale-cli-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  folder = pattern;
}

void CliFixture::TearDown() {
  std::error_code error;
  std::filesystem::remove_all(folder, error);
}

CliFixture::Result CliFixture::Run(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  Result result;
  result.code = RunCli(args, out, err);
  result.out = out.str();
  result.err = err.str();
  return result;
}

void CliFixture::ExpectRefused(const Result& result, const RefusedRun& run) {
  EXPECT_EQ(result.code, run.code);
  if (run.message.empty()) {
    EXPECT_NE(result.err, "");
  } else {
    EXPECT_EQ(result.err, "tremvale-cli: " + run.message + "\n");
  }
  EXPECT_EQ(result.out, "");
}

std::string CliFixture::WriteFile(const std::string& name, const std::string& bytes) const {
  const std::string path = PathOf(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string CliFixture::ConstantRecord(const std::string& name, double acceleration,
                                       double seconds) const {
  std::string text = "# time (s), acceleration\n";
  const auto steps = static_cast<int>(std::lround(seconds / 0.01));
  for (int i = 0; i <= steps; ++i) {
    AppendShortest(text, i * 0.01);
    text.push_back(' ');
    AppendShortest(text, acceleration);
    text.push_back('\n');
  }
  return WriteFile(name, text);
}

double CliFixture::StepPsa(double acceleration, double damping) {
  return acceleration * (1 + std::exp(-damping * M_PI / std::sqrt(1 - damping * damping)));
}

std::vector<std::string> CliFixture::Fields(const std::string& line) {
  std::vector<std::string> fields;
  for (std::size_t begin = 0;;) {
    const std::size_t comma = line.find(',', begin);
    fields.push_back(line.substr(begin, comma - begin));
    if (comma == std::string::npos) return fields;
    begin = comma + 1;
  }
}

double CliFixture::Number(const std::string& text) {
  double value = NAN;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::string CliFixture::ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << path;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::size_t CliFixture::FileCount(const std::filesystem::path& path) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(path)) {
    (void)entry;
    ++count;
  }
  return count;
}

std::vector<std::string> CliFixture::Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    std::size_t length = end - start;
    if (length > 0 && text[end - 1] == '\r') --length;
    lines.push_back(text.substr(start, length));
  }
  EXPECT_EQ(start, text.size()) << "text after the last line break";
  return lines;
}
