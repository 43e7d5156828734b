// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <ostream>

// Readable QString values in GoogleTest failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QRect& rect, std::ostream* out) {
  *out << '(' << rect.x() << ", " << rect.y() << ", " << rect.width() << " x " << rect.height()
       << ')';
}
