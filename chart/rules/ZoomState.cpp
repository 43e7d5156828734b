// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/ZoomState.h"

#include <cstdlib>

DragAction ZoomState::Classify(int dx, int dy) {
  if (std::abs(dx) <= kMinimumDragPixels || std::abs(dy) <= kMinimumDragPixels) {
    return DragAction::None;
  }
  return dx > 0 ? DragAction::Zoom : DragAction::Restore;
}
