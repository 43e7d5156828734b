// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

// The twelve series colours and the rule that gives a new series its colour.
class SeriesPalette {
 public:
  static constexpr int kEntryCount = 12;

  static Rgb Entry(int index);

  // Entry for a series joining a chart whose series have the given colours: the first of
  // entries 0..10 that no series has and that differs from the background and the back wall;
  // when there is none, the number of series mod 12. Entry 11 is only reached that way.
  static int ChooseEntry(std::span<const Rgb> seriesColours, Rgb background, Rgb backWall);
};
