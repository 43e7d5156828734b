// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/PeriodList.h"

QStringList SplitPeriodList(const QString& text, std::string_view decimalSeparator) {
  const bool commaSeparates = decimalSeparator != ",";
  QStringList entries;
  QString entry;
  for (const QChar c : text + QChar(u';')) {
    if (c != u';' && !c.isSpace() && !(commaSeparates && c == u',')) {
      entry += c;
      continue;
    }
    if (!entry.trimmed().isEmpty()) entries << entry.trimmed();
    entry.clear();
  }
  return entries;
}

QString PeriodListSeparator(std::string_view decimalSeparator) {
  return decimalSeparator == "," ? QStringLiteral("; ") : QStringLiteral(", ");
}
