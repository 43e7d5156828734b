// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <set>
#include <string>
#include <string_view>

// File names "NAME.txt" for spectra written into one folder: characters that file systems
// or shells refuse or misread (/ \ : * ? " < > | and control characters) become "_", as
// does a leading "." so no name is hidden or special; names that end up alike get "-2",
// "-3", ... so no spectrum overwrites another.
class TxtFileNames {
 public:
  std::string Next(std::string_view spectrumName);

 private:
  std::set<std::string> used_;
};
