// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a series' line is drawn. The response chart draws every spectrum solid, 2 px wide;
// other charts set lines apart by width and dashes.
struct LineStyle {
  int width = 2;  // px
  bool dashed = false;

  bool operator==(const LineStyle&) const = default;
};
