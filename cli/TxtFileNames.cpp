// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TxtFileNames.h"

namespace {

constexpr std::string_view kUnsafe = "/\\:*?\"<>|";

std::string SafeStem(std::string_view name) {
  std::string stem(name);
  for (char& c : stem) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte == 127 || kUnsafe.find(c) != std::string_view::npos) c = '_';
  }
  if (stem.empty() || stem[0] == '.') stem.insert(stem.begin(), '_');
  return stem;
}

}  // namespace

std::string TxtFileNames::Next(std::string_view spectrumName) {
  const std::string stem = SafeStem(spectrumName);
  std::string name = stem + ".txt";
  for (int copy = 2; used_.count(name) > 0; ++copy) {
    name = stem + "-" + std::to_string(copy) + ".txt";
  }
  used_.insert(name);
  return name;
}
