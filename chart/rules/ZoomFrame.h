// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/rules/PlotRanges.h"

// The ranges shown at step `step` of `steps` of an animated zoom from `from` to `to`; the last
// step gives `to` exactly.
PlotRanges ZoomFrame(const PlotRanges& from, const PlotRanges& to, int step, int steps);
