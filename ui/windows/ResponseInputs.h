// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// The input panel's current choices and the last accepted values; read by Create only
// after a successful ReadInputs.
struct ResponseInputs {
  std::int32_t codeType = 0;
  std::int32_t intensity = 0;
  std::int32_t action = 0;
  std::int32_t group = 0;
  std::int32_t siteClass = 0;
  std::string name;  // UTF-8
  double alphaMax = 0;
  double tg = 0;
  double damping = 0;
};
