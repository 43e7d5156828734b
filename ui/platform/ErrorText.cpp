// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/ErrorText.h"

QString ErrorText(const QString& message) {
  constexpr char16_t kFullStop = u'.';
  if (message.isEmpty() || message.back().unicode() <= kFullStop) return message;
  return message + QChar(kFullStop);
}

QString ErrorText(const std::exception& error) {
  return ErrorText(QString::fromUtf8(error.what()));
}
