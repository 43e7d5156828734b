// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/widget/ZoomAnimator.h"

#include <utility>

#include "chart/rules/ZoomFrame.h"

ZoomAnimator::ZoomAnimator(int steps, int intervalMs, FrameHandler onFrame)
    : steps_(steps), onFrame_(std::move(onFrame)) {
  timer_.setInterval(intervalMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Step(); });
}

void ZoomAnimator::Start(const PlotRanges& from, const PlotRanges& to) {
  from_ = from;
  to_ = to;
  step_ = 0;
  timer_.start();
  Step();
}

void ZoomAnimator::Finish() {
  if (!Running()) return;
  step_ = steps_ - 1;
  Step();
}

void ZoomAnimator::Step() {
  ++step_;
  if (step_ >= steps_) timer_.stop();
  onFrame_(ZoomFrame(from_, to_, step_, steps_));
}
