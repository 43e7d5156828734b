// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Application-wide settings made once, right after the QApplication exists: the title the
// boxes carry, the icon of every window, and the window font as the default of every widget
// (so the chart engine and the dialogs load no second font family at start-up).
void SetUpApplication();
