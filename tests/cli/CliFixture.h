#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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

  std::filesystem::path folder;
};
