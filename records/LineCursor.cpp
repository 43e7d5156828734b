// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/LineCursor.h"

LineCursor::LineCursor(std::string_view bytes) : bytes_(bytes) {
  if (bytes_.starts_with("\xEF\xBB\xBF")) bytes_.remove_prefix(3);
}

bool LineCursor::Next(std::string_view& line) {
  if (position_ >= bytes_.size()) return false;
  std::size_t end = position_;
  while (end < bytes_.size() && bytes_[end] != '\n' && bytes_[end] != '\r') ++end;
  line = bytes_.substr(position_, end - position_);
  ++number_;
  std::size_t next = end + 1;
  if (end < bytes_.size() && bytes_[end] == '\r') {
    // CR LF, and CR CR LF as older archives write it, end one line each.
    if (next < bytes_.size() && bytes_[next] == '\n') {
      next += 1;
    } else if (next + 1 < bytes_.size() && bytes_[next] == '\r' && bytes_[next + 1] == '\n') {
      next += 2;
    }
  }
  position_ = next;
  return true;
}
