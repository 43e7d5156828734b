// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/PeriodList.h"

#include "model/NumberText.h"

namespace {

bool CommaIsDecimal() { return DecimalSeparator() == ","; }

}  // namespace

QStringList SplitPeriodList(const QString& text) {
  const bool commaSeparates = !CommaIsDecimal();
  QStringList entries;
  QString entry;
  for (const QChar c : text + QChar(u';')) {
    if (c != u';' && !(commaSeparates && c == u',')) {
      entry += c;
      continue;
    }
    if (!entry.trimmed().isEmpty()) entries << entry.trimmed();
    entry.clear();
  }
  return entries;
}

QString PeriodListSeparator() {
  return CommaIsDecimal() ? QStringLiteral("; ") : QStringLiteral(", ");
}
