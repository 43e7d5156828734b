// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

// The main periods as the user types them: entries separated by ";", blanks, and by "," too
// unless "," is the decimal separator. Empty entries are skipped.
QStringList SplitPeriodList(const QString& text, std::string_view decimalSeparator);

// What the window puts between two periods it writes: "; " when "," is the decimal
// separator, ", " otherwise.
QString PeriodListSeparator(std::string_view decimalSeparator);
