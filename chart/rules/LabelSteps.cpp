// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/LabelSteps.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// k * step drifts from the decimal value by far less than this; without the tolerance a label
// that belongs exactly on the range's end (3 * 0.02 > 0.06) would be lost.
constexpr double kEndTolerance = 1e-9;

constexpr double kFinestDecade = -3;

bool Usable(AxisRange range, double step) {
  return step > 0 && std::isfinite(step) && std::isfinite(range.min) && std::isfinite(range.max) &&
         range.max >= range.min;
}

double FirstMultiple(AxisRange range, double step) {
  return std::ceil(range.min / step - kEndTolerance);
}

double LastMultiple(AxisRange range, double step) {
  return std::floor(range.max / step + kEndTolerance);
}

}  // namespace

double LabelCount(AxisRange range, double step) {
  if (!Usable(range, step)) return 0;
  const double count = LastMultiple(range, step) - FirstMultiple(range, step) + 1;
  return count > 0 ? count : 0;
}

std::vector<double> LabelValues(AxisRange range, double step) {
  std::vector<double> values;
  if (!Usable(range, step)) return values;
  const double first = FirstMultiple(range, step);
  const double last = LastMultiple(range, step);
  for (double k = first; k <= last && values.size() < kMaxLabels; ++k) {
    // Multiplying rather than accumulating keeps every label on its decimal value; + 0.0 turns
    // a -0 into 0.
    values.push_back(k * step + 0.0);
  }
  return values;
}

bool LabelsFit(AxisRange range, double step, double axisPixels, double labelSpacing) {
  return LabelCount(range, step) * labelSpacing <= axisPixels;
}

double DoublingLabelStep(AxisRange range, double desiredStep, double axisPixels,
                         double labelSpacing) {
  if (!(desiredStep > 0)) return NiceLabelStep(range, axisPixels, labelSpacing);
  double step = desiredStep;
  while (std::isfinite(step) && step <= range.Span() &&
         !LabelsFit(range, step, axisPixels, labelSpacing)) {
    step *= 2;
  }
  return step;
}

double NiceLabelStep(AxisRange range, double axisPixels, double labelSpacing) {
  const double span = range.Span();
  if (!(span > 0) || !std::isfinite(span)) return 1;
  constexpr std::array<double, 3> kMantissas = {1, 2, 5};
  // Start two decades below the span, where labels never fit a screen, but not below the
  // thousandths: finer steps would give labels whose three-decimal texts stand at the wrong
  // value or repeat.
  const double firstDecade = std::max(std::floor(std::log10(span)) - 2, kFinestDecade);
  for (int i = 0;; ++i) {
    const double step = kMantissas[static_cast<std::size_t>(i % 3)] *
                        std::pow(10.0, firstDecade + static_cast<double>(i / 3));
    if (step > span || LabelsFit(range, step, axisPixels, labelSpacing)) return step;
  }
}
