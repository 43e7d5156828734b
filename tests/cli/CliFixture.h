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

  // A path in the test's folder; WriteFile creates the file with these bytes.
  std::string PathOf(const std::string& name) const { return (folder / name).string(); }
  std::string WriteFile(const std::string& name, const std::string& bytes) const;
  static std::string ReadFile(const std::string& path);
  // A ground-motion record as two columns (time, acceleration) at 0.01 s: the acceleration
  // held constant for the given time, a step of ground acceleration from rest.
  std::string ConstantRecord(const std::string& name, double acceleration, double seconds) const;
  static std::size_t FileCount(const std::filesystem::path& path);

  std::filesystem::path folder;
};
