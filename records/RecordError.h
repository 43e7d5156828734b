// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

// A record file that cannot be read. The message names the file and, where one is to blame,
// the line: "quake.AT2, line 4: no number of points and time step."
class RecordError : public std::runtime_error {
 public:
  // line 0 means the file as a whole.
  RecordError(std::string_view fileName, std::size_t line, std::string_view reason);

  std::size_t line() const { return line_; }

 private:
  std::size_t line_;
};
