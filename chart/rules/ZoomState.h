// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "chart/rules/PlotRanges.h"

enum class DragAction { None, Zoom, Restore };

// Whether the axes follow the data or stay where a zoom (or a pan) put them. Before the first
// zoom the axes are automatic; restoring makes them automatic again, so a restore after new
// data shows all of it.
class ZoomState {
 public:
  // A drag must span more than this many pixels both ways to count.
  static constexpr int kMinimumDragPixels = 16;

  // What releasing a left drag that moved dx, dy pixels does: rightwards zooms, leftwards
  // restores, anything not larger than the minimum on either axis does nothing.
  static DragAction Classify(int dx, int dy);

  bool Zoomed() const { return zoomed_.has_value(); }

  // Fixes the axes at these ranges until Restore, whatever the data do.
  void ZoomTo(const PlotRanges& ranges) { zoomed_ = ranges; }
  void Restore() { zoomed_.reset(); }

  // The ranges to show, given the ones the data ask for.
  PlotRanges Effective(const PlotRanges& automatic) const { return zoomed_.value_or(automatic); }

 private:
  std::optional<PlotRanges> zoomed_;
};
