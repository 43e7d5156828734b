// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// While one lives, the C library's locale is de_DE.UTF-8, whose decimal separator is a comma,
// loaded from the folder the build made it in: what QCoreApplication sets up for a German
// user. Active() is false, with Reason(), when that locale cannot be had.
class CommaCLocale {
 public:
  CommaCLocale();
  ~CommaCLocale();
  CommaCLocale(const CommaCLocale&) = delete;
  CommaCLocale& operator=(const CommaCLocale&) = delete;

  bool Active() const { return reason_.empty(); }
  const std::string& Reason() const { return reason_; }

 private:
  std::string savedLocale_;
  std::string savedPath_;
  bool hadPath_ = false;
  std::string reason_;
};
