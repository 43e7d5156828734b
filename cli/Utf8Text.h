// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view text);

// True when the text holds a byte below 32 or the byte 127.
bool HasControlCharacter(std::string_view text);
