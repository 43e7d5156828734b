// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class DesignSpectrum;

// Evaluates Sa on every period that the chart, the data table and the CSV file take (the fine
// and the coarse period grid), so that a Sa beyond the double range is found before the
// spectrum is shown anywhere: throws std::overflow_error "Floating point overflow" as GetSa
// does.
void CheckSaRange(const DesignSpectrum& spectrum);
