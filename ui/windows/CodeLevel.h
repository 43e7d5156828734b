// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// One earthquake level of the code's tables: an intensity row and a seismic action column of
// the input panel's lists (action 2 is the rare earthquake).
struct CodeLevel {
  std::int32_t intensity = 0;
  std::int32_t action = 0;
  bool operator==(const CodeLevel&) const = default;
};

inline constexpr std::int32_t kRareAction = 2;

// The levels whose table AlphaMax is this value, in table order; empty for a value of no level.
// Two levels share 0.12 and two share 0.90.
std::vector<CodeLevel> LevelsOfAlphaMax(double alphaMax);

// Whether tg is one of the code's table values of Tg, as a spectrum made from the lists has it.
bool IsTableTg(double tg);
