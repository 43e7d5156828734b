// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/CommaCLocale.h"

#include <clocale>
#include <cstdlib>
#include <cstring>

CommaCLocale::CommaCLocale() : savedLocale_(std::setlocale(LC_ALL, nullptr)) {
  if (const char* path = std::getenv("LOCPATH")) {
    hadPath_ = true;
    savedPath_ = path;
  }
  // The C library reads LOCPATH on every setlocale call.
  setenv("LOCPATH", TREMVALE_TEST_LOCALES, 1);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    reason_ = "no de_DE.UTF-8 locale in " TREMVALE_TEST_LOCALES " (is localedef installed?)";
  } else if (std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
    reason_ = "de_DE.UTF-8 has no comma as its decimal separator";
  }
}

CommaCLocale::~CommaCLocale() {
  std::setlocale(LC_ALL, savedLocale_.c_str());
  if (hadPath_) {
    setenv("LOCPATH", savedPath_.c_str(), 1);
  } else {
    unsetenv("LOCPATH");
  }
}
