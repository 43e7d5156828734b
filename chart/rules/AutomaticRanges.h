// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/rules/LeftAxisSettings.h"
#include "chart/rules/PlotRanges.h"
#include "chart/rules/SeriesList.h"

// The axis ranges when the chart is not zoomed: the bottom axis over the periods of the shown
// series, the left axis up to their largest Sa; all series count when none is shown. Without
// data the chart shows 0..6 s and one unit of Sa. A range never collapses to a single value, nor
// to a span too small for the axis to be drawn.
PlotRanges AutomaticRanges(const SeriesList& series, const LeftAxisSettings& leftAxis);
