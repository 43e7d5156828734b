// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The main periods as the user types them: entries separated by ";", and by "," too unless
// "," is the decimal separator. Entries are trimmed; empty ones are skipped.
QStringList SplitPeriodList(const QString& text);

// What the window puts between two periods it writes: "; " when "," is the decimal
// separator, ", " otherwise.
QString PeriodListSeparator();
