// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/rules/PlotMapping.h"

struct Segment {
  double x1 = 0;
  double y1 = 0;
  double x2 = 0;
  double y2 = 0;
};

// Cuts a line segment to the part inside the rectangle; false when nothing of it is inside or
// an end is not finite. A deep zoom puts points millions of pixels away, which a rasteriser
// must never see.
bool ClipSegment(Segment& segment, const PixelRect& rect);
