// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/GraphPanelForm.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLayout>
#include <QVBoxLayout>

#include "chart/widget/ResponseChartView.h"
#include "ui/widgets/GroupClientArea.h"

QPointer<TForm2> Form2;

namespace {
constexpr int kPanelWidth = 857;
constexpr int kPanelHeight = 353;
}  // namespace

TForm2::TForm2(QWidget* owner) : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint) {
  setWindowTitle(QStringLiteral("GraphPanel"));
  setAttribute(Qt::WA_DeleteOnClose);
  // Closing the main window ends the program even while the chart is out here.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(kPanelWidth, kPanelHeight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
}

void TForm2::Dock(ResponseChartView& chart, QWidget& parent, bool out) {
  if (chart.parentWidget() != &parent) {
    if (QLayout* old = chart.parentWidget() ? chart.parentWidget()->layout() : nullptr)
      old->removeWidget(&chart);
    chart.setParent(&parent);
    if (auto* box = qobject_cast<QGroupBox*>(&parent))
      chart.setGeometry(GroupClientArea(*box));
    else
      parent.layout()->addWidget(&chart);
    chart.show();
  }
  chart.SetPoppedOut(out);
}

void TForm2::closeEvent(QCloseEvent* event) {
  FormClose();
  QWidget::closeEvent(event);
}

void TForm2::FormClose() {
  if (Chart != nullptr && HomeBox != nullptr) Dock(*Chart, *HomeBox, false);
}
