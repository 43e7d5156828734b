// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

// A font of the given family at an exact pixel size. Families missing on Linux desktops
// ("MS Sans Serif", "Tahoma") fall back to the closest installed sans-serif of similar width.
QFont PixelFont(const QString& family, int pixelSize, bool bold = false);

// The family of the windows and dialogs, "MS Sans Serif", at an exact pixel size.
QFont WindowFont(int pixelSize, bool bold = false);
