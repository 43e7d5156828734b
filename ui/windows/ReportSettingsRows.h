// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string_view>
#include <utility>
#include <vector>

#include "model/DesignSpectrum.h"
#include "ui/windows/RecordInputs.h"

// The design spectrum and the scaling as the records report states them, a label and its text
// per line. A spectrum keeps only its AlphaMax and Tg, so the intensity, action, site class and
// group are given as the code tables' entries that lead to them (every one, when several do),
// or said to be unknown. Numbers are written with the decimal separator.
std::vector<std::pair<QString, QString>> ReportSettingsRows(const DesignSpectrum& design,
                                                            const RecordInputs& inputs,
                                                            std::string_view separator);
