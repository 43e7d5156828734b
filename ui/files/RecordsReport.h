// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

#include "records/CompatibilityCheck.h"
#include "ui/widgets/SpectraPlot.h"

// Everything the records window's one-page report holds. Texts are plain, never markup.
struct RecordsReportContent {
  QString project;
  QString engineer;
  QString date;
  QString program;  // name and version
  // The design spectrum and the scaling, a label and its text per line, in order.
  std::vector<std::pair<QString, QString>> settings;
  // Per record of the check, in its order: the file's description line (may be empty).
  std::vector<std::string> descriptions;
  SpectraPlotContent plot;
  CheckResult check;
};

// The report as a PDF file: one A4 page, portrait (the chart gives up height for many records;
// a set too large even then continues on further pages), with real text in embedded fonts, and the
// chart as vector lines. Sections: title, project and engineer, date and program; the design
// spectrum and the scaling; the records (file, event, station, component, kind, PGA, scale
// factor with its warning, effective duration with its verdict); the chart with its legend;
// the check at each main period; the set rules; the verdict with every reason.
// Needs a QGuiApplication. Numbers follow the plot's decimal separator.
QByteArray BuildRecordsReportPdf(const RecordsReportContent& content);
