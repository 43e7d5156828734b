// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/rules/SeriesPalette.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<Rgb, SeriesPalette::kEntryCount> kEntries = {
    0x4466A3, 0xF39C35, 0xF14C14, 0x4E97A8, 0x2B406B, 0x1D7B63,
    0xB3080E, 0xF2C05D, 0x5DB79E, 0x707070, 0xF3EA8D, 0xB4B4B4,
};

// Entries searched for a free colour; the last entry is left to the wrap-around.
constexpr int kSearchedEntries = SeriesPalette::kEntryCount - 1;

}  // namespace

Rgb SeriesPalette::Entry(int index) { return kEntries.at(static_cast<std::size_t>(index)); }

int SeriesPalette::ChooseEntry(std::span<const Rgb> seriesColours, Rgb background, Rgb backWall) {
  for (int i = 0; i < kSearchedEntries; ++i) {
    const Rgb colour = Entry(i);
    if (colour == background || colour == backWall) continue;
    if (std::find(seriesColours.begin(), seriesColours.end(), colour) == seriesColours.end()) {
      return i;
    }
  }
  return static_cast<int>(seriesColours.size() % kEntryCount);
}
