// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "records/At2Reader.h"
#include "records/GroundMotion.h"

// The El Centro 1940 N-S record of the test data, or no value when the file is missing.
inline std::optional<GroundMotion> ElCentro() {
  std::ifstream file(TREMVALE_RECORDS_DATA "/elCentro.AT2", std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return ReadAt2("elCentro.AT2", bytes.str());
}

inline GroundMotion Motion(double step, std::vector<double> acceleration) {
  return {"test", step, std::move(acceleration), {}};
}
