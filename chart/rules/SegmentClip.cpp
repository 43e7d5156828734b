// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/SegmentClip.h"

#include <cmath>

namespace {

// One boundary of the Liang-Barsky clip: p * t <= q must hold along the segment.
bool Narrow(double p, double q, double& enter, double& leave) {
  if (p == 0) return q >= 0;
  const double t = q / p;
  if (p < 0) {
    if (t > leave) return false;
    if (t > enter) enter = t;
  } else {
    if (t < enter) return false;
    if (t < leave) leave = t;
  }
  return true;
}

}  // namespace

bool ClipSegment(Segment& segment, const PixelRect& rect) {
  if (!std::isfinite(segment.x1) || !std::isfinite(segment.y1) || !std::isfinite(segment.x2) ||
      !std::isfinite(segment.y2)) {
    return false;
  }
  const double dx = segment.x2 - segment.x1;
  const double dy = segment.y2 - segment.y1;
  double enter = 0;
  double leave = 1;
  if (!Narrow(-dx, segment.x1 - rect.left, enter, leave) ||
      !Narrow(dx, rect.left + rect.width - segment.x1, enter, leave) ||
      !Narrow(-dy, segment.y1 - rect.top, enter, leave) ||
      !Narrow(dy, rect.top + rect.height - segment.y1, enter, leave)) {
    return false;
  }
  const Segment original = segment;
  if (leave < 1) {
    segment.x2 = original.x1 + leave * dx;
    segment.y2 = original.y1 + leave * dy;
  }
  if (enter > 0) {
    segment.x1 = original.x1 + enter * dx;
    segment.y1 = original.y1 + enter * dy;
  }
  return true;
}
