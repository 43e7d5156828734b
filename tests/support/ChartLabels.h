#pragma once

#include <QStringList>

class QChartView;

// The axis labels of a chart as Qt Charts laid them out for drawing, read from its scene: the
// text items without letters (titles have letters) left of the plot, bottom-up, and below it,
// left to right. A label Qt hid reads "hidden:" and its text.
struct ChartLabels {
  QStringList left;
  QStringList bottom;

  // The labels a reader cannot read: cut short to an ellipsis by Qt, or hidden.
  QStringList Unreadable() const;
};

ChartLabels ReadChartLabels(const QChartView& view);
