// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cli/SpectrumRequest.h"

// The texts that pick an entry of the window's selection lists: code "2010|2001", pga
// "0.05|0.10|0.15|0.20|0.30|0.40", action "frequent|fortification|rare", site
// "I0|I1|II|III|IV", group "1|2|3". The index is the list position (for the code, codeType).

// The list position of a text, or nothing; for columns without a list, always nothing.
std::optional<std::int32_t> ChoiceIndex(Column column, std::string_view text);

// The text for a list position, as accepted by ChoiceIndex.
std::string_view ChoiceText(Column column, std::int32_t index);

// All accepted texts joined by "|", for help and messages.
std::string ChoiceTexts(Column column);
