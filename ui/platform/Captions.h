// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "ui/platform/AuthorInfo.h"

// The program's name and the captions made from it.
namespace caption {

// The application title: information and error boxes, the About box's heading.
inline const QString kProgram = QStringLiteral("Tremvale");

// The main window: "Tremvale ( by Kestrin ) ".
inline QString MainWindow() {
  return kProgram + QStringLiteral(" ( by ") + QString::fromUtf8(author::kName) +
         QStringLiteral(" ) ");
}

// The About box and its menu item.
inline QString About() { return QStringLiteral("About ") + kProgram; }

}  // namespace caption
