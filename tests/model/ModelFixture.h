// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/NumberText.h"
#include "model/Warning.h"

// Records every model warning.
class ModelFixture : public ::testing::Test {
 protected:
  std::vector<std::string> warnings;
  ScopedWarningHandler recorder{[this](const std::string& text) { warnings.push_back(text); }};
};
