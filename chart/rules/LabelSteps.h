// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

#include "chart/rules/PlotRanges.h"

// Axis labels stand on the multiples of a step (so they always start from 0) that lie in the
// axis range.

// How many labels a step gives over the range.
double LabelCount(AxisRange range, double step);

// The label values, ascending; at most kMaxLabels of them.
inline constexpr std::size_t kMaxLabels = 1000;
std::vector<double> LabelValues(AxisRange range, double step);

// Whether the labels of a step fit an axis of axisPixels when each label needs labelSpacing
// pixels.
bool LabelsFit(AxisRange range, double step, double axisPixels, double labelSpacing);

// Starts at desiredStep and doubles it until the labels fit or the step exceeds the span. A
// desiredStep that is not positive falls back to NiceLabelStep.
double DoublingLabelStep(AxisRange range, double desiredStep, double axisPixels,
                         double labelSpacing);

// The smallest step of the form 1, 2 or 5 times a power of ten, and at least 0.001, whose
// labels fit, or the first such step beyond the span.
double NiceLabelStep(AxisRange range, double axisPixels, double labelSpacing);
