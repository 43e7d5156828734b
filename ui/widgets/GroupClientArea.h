// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QRect>

// The area a control aligned to the client fills inside a captioned group box: 2 px frame on
// the sides and bottom, 15 px for the caption on top. Set directly, since a layout would add
// the style's own group box margins.
inline QRect GroupClientArea(const QGroupBox& box) { return box.rect().adjusted(2, 15, -2, -2); }
