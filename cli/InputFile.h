// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <limits>
#include <string>

// The whole content of a file, or of standard input for "-", or its first limit + 1 bytes when
// it holds more, so that an endless input ends. Throws CliError (failure) with the system's
// reason when it cannot be read.
std::string ReadWholeFile(const std::string& path,
                          std::uintmax_t limit = std::numeric_limits<std::uintmax_t>::max());
