// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

// Names a parameterised test by its case's `what`, in letters, digits and "_".
template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name = info.param.what;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

inline constexpr double kGal = 980.665;  // cm/s2 in one g

// A command line the program refuses, with its exit code and message.
struct RefusedRun {
  const char* what;
  std::vector<std::string> options;
  int code;
  std::string message;  // standard error after "tremvale-cli: "; "" for the parser's own text
};

// Runs the program through RunCli and gives each test a folder of its own, removed after it.
class CliFixture : public ::testing::Test {
 public:
  // Splits at "\n", dropping a "\r" before it; the text must end with a line break.
  static std::vector<std::string> Lines(const std::string& text);

 protected:
  struct Result {
    int code = -1;
    std::string out;
    std::string err;
  };

  void SetUp() override;
  void TearDown() override;

  static Result Run(const std::vector<std::string>& args);
  static void ExpectRefused(const Result& result, const RefusedRun& run);

  // A path in the test's folder; WriteFile creates the file with these bytes.
  std::string PathOf(const std::string& name) const { return (folder / name).string(); }
  std::string WriteFile(const std::string& name, const std::string& bytes) const;
  static std::string ReadFile(const std::string& path);
  // A ground-motion record as two columns (time, acceleration) at 0.01 s: the acceleration
  // held constant for the given time, a step of ground acceleration from rest.
  std::string ConstantRecord(const std::string& name, double acceleration, double seconds) const;
  // The peak PSA of such a record held long enough: the oscillator overshoots its static
  // displacement by the damped decrement of half a cycle.
  static double StepPsa(double acceleration, double damping = 0.05);

  // The fields of a CSV line without quotes, and a number text read back.
  static std::vector<std::string> Fields(const std::string& line);
  static double Number(const std::string& text);
  static std::size_t FileCount(const std::filesystem::path& path);

  std::filesystem::path folder;
};
