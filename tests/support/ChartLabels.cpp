#include "tests/support/ChartLabels.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

bool HasLetter(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

QStringList InOrder(std::vector<std::pair<double, QString>> labels) {
  std::sort(labels.begin(), labels.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  QStringList texts;
  for (auto& label : labels) texts << std::move(label.second);
  return texts;
}

}  // namespace

QStringList ChartLabels::Unreadable() const {
  QStringList unreadable;
  for (const QString& text : left + bottom) {
    if (text.startsWith(QStringLiteral("hidden:")) || text.contains(QStringLiteral("...")) ||
        text.contains(QChar(0x2026)))
      unreadable << text;
  }
  return unreadable;
}

ChartLabels ReadChartLabels(const QChartView& view) {
  const QRectF plot = view.chart()->mapRectToScene(view.chart()->plotArea());
  std::vector<std::pair<double, QString>> left;
  std::vector<std::pair<double, QString>> bottom;
  for (const QGraphicsItem* item : view.scene()->items()) {
    const auto* label = dynamic_cast<const QGraphicsTextItem*>(item);
    if (label == nullptr) continue;
    QString text = label->toPlainText();
    if (text.isEmpty() || HasLetter(text)) continue;
    if (!label->isVisible()) text.prepend(QStringLiteral("hidden:"));
    const QRectF box = label->sceneBoundingRect();
    if (box.right() <= plot.left() + 1) {
      left.emplace_back(-box.center().y(), std::move(text));
    } else if (box.top() >= plot.bottom() - 1) {
      bottom.emplace_back(box.center().x(), std::move(text));
    }
  }
  return {InOrder(std::move(left)), InOrder(std::move(bottom))};
}
