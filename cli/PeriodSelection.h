// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

// The periods named by --periods: "fine" (0 to 6 s by 0.01, the chart's and Save Data's
// grid), "coarse" (by 0.05, the data table's), "START:STEP:END" or a list "T1,T2,...".
// START:STEP:END gives START + i * STEP up to END, counted like the fine grid, so
// "0:0.01:6" is the fine grid itself. Throws CliError (usage) for a text it cannot read,
// a period outside 0 to 6 s, or more than a million periods.
std::vector<double> ParsePeriods(std::string_view text);
