// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "records/ResponseSpectrum.h"

// The spectra of records as CSV (RFC 4180, lines ended by CR LF): a header line naming each
// column's record and quantity ("elCentro.AT2 PSA(g)"), then one line per period: the period,
// then for each record its PSA, and with all also SA, SD and PSV. Numbers in their shortest
// form that reads back to the same double. The spectra share their periods.
std::string BuildRecordCsvText(const std::vector<ResponseSpectrum>& spectra, bool all);
