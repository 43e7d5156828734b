// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

// Walks the lines of a text file one at a time, so that reading a file never holds more than
// the file itself: LF, CR LF, CR and CR CR LF each end a line, as an editor counts them; a UTF-8
// byte-order mark at the start is dropped.
class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes);

  // The next line, without its end; false after the last one.
  bool Next(std::string_view& line);
  // The number of the line Next gave last, counted from 1; 0 before the first.
  std::size_t Number() const { return number_; }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
  std::size_t number_ = 0;
};
