// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/WhenModal.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

void WhenModal(std::function<void(QWidget* modal)> inspect) {
  QTimer::singleShot(0, [inspect = std::move(inspect)] {
    QPointer<QWidget> modal = QApplication::activeModalWidget();
    inspect(modal);
    if (auto* dialog = qobject_cast<QDialog*>(modal.data()); dialog && dialog->isVisible()) {
      dialog->reject();
    }
  });
}
