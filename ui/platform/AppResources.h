// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

// Paths of the pictures compiled into the program (resources/tremvale.qrc).
namespace resource {
inline const QString kAboutPicture = QStringLiteral(":/about.png");
inline const QString kIconPattern = QStringLiteral(":/icons/tremvale-%1.png");
inline constexpr int kIconSizes[] = {16, 32, 48, 256};
}  // namespace resource

// Registers the compiled-in pictures. They live in a static library, where nothing else
// refers to them, so the linker would leave them out. Safe to call more than once.
void LoadResources();

// The application icon in all its sizes, for the windows and the taskbar.
QIcon ApplicationIcon();
