// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/AppResources.h"

// Q_INIT_RESOURCE declares a function and must stand outside any namespace.
static void RegisterTremvaleResources() { Q_INIT_RESOURCE(tremvale); }

void LoadResources() {
  static const bool loaded = (RegisterTremvaleResources(), true);
  (void)loaded;
}

QIcon ApplicationIcon() {
  LoadResources();
  QIcon icon;
  for (const int size : resource::kIconSizes) icon.addFile(resource::kIconPattern.arg(size));
  return icon;
}
