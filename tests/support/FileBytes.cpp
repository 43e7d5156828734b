// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FileBytes.h"

#include <QFile>

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
