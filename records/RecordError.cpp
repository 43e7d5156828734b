// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordError.h"

namespace {

std::string Message(std::string_view fileName, std::size_t line, std::string_view reason) {
  std::string text(fileName);
  if (line > 0) text += ", line " + std::to_string(line);
  text += ": ";
  text += reason;
  return text;
}

}  // namespace

RecordError::RecordError(std::string_view fileName, std::size_t line, std::string_view reason)
    : std::runtime_error(Message(fileName, line, reason)), line_(line) {}
