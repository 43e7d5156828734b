// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DecimalSeparatorScope.h"

#include "model/NumberText.h"

DecimalSeparatorScope::DecimalSeparatorScope(std::string_view separator)
    : previous_(DecimalSeparator()) {
  SetDecimalSeparator(separator);
}

DecimalSeparatorScope::~DecimalSeparatorScope() { SetDecimalSeparator(previous_); }
