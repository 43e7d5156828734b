// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <functional>

#include "chart/rules/PlotRanges.h"

// Steps the axes from their ranges to the zoomed ones in a fixed number of frames.
class ZoomAnimator {
 public:
  using FrameHandler = std::function<void(const PlotRanges&)>;

  ZoomAnimator(int steps, int intervalMs, FrameHandler onFrame);

  void Start(const PlotRanges& from, const PlotRanges& to);
  bool Running() const { return timer_.isActive(); }
  // Shows the last frame now.
  void Finish();
  // Stops without showing further frames.
  void Stop() { timer_.stop(); }

 private:
  void Step();

  QTimer timer_;
  int steps_;
  int step_ = 0;
  PlotRanges from_;
  PlotRanges to_;
  FrameHandler onFrame_;
};
