#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NumberText.h"
#include "Warning.h"

// Records every model warning and puts the global settings back after each test.
class ModelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetWarningHandler([this](const std::string& text) { warnings.push_back(text); });
    SetDecimalSeparator(".");
  }
  void TearDown() override {
    SetWarningHandler({});
    SetDecimalSeparator(".");
  }

  std::vector<std::string> warnings;
};
