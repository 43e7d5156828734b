// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/RecordStatusRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStringList>
#include <cmath>

#include "ui/windows/WindowControls.h"

namespace {

constexpr int kProgressSteps = 1000;

}  // namespace

RecordStatusRow::RecordStatusRow(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  pbCompute = new QProgressBar(this);
  pbCompute->setRange(0, kProgressSteps);
  pbCompute->setValue(0);
  pbCompute->setTextVisible(false);
  pbCompute->setFixedWidth(240);
  lblStatus = PlainLabel(QString(), this);
  layout->addWidget(pbCompute);
  layout->addWidget(lblStatus, 1);
}

void RecordStatusRow::Show(const RecordSet& records, std::size_t readingFiles,
                           const SpectrumJobs& jobs) {
  QStringList parts;
  if (readingFiles > 0) parts << QStringLiteral("Reading files: %1 left.").arg(readingFiles);
  const std::size_t count = records.Size();
  const std::size_t ready = records.ComputedCount();
  const std::size_t failed = records.FailedCount();
  if (count == 0 && readingFiles == 0) {
    parts << QStringLiteral("No records. Add record files or drop them onto this window.");
  } else if (jobs.Busy()) {
    parts << QStringLiteral("Computing spectra: %1 of %2 ready.").arg(ready).arg(count);
  } else if (count > 0 && failed == 0) {
    parts << (count == 1 ? QStringLiteral("The spectra of the record are ready.")
                         : QStringLiteral("The spectra of the %1 records are ready.").arg(count));
  } else if (count > 0) {
    parts << QStringLiteral("Spectra ready: %1 of %2.").arg(ready).arg(count);
  }
  if (failed > 0) {
    parts << (failed == 1 ? QStringLiteral("1 record failed.")
                          : QStringLiteral("%1 records failed.").arg(failed));
  }
  const double done = jobs.Busy() ? jobs.Progress() : (count > 0 ? 1.0 : 0.0);
  pbCompute->setValue(static_cast<int>(std::lround(done * kProgressSteps)));
  lblStatus->setText(parts.join(QLatin1Char(' ')));
}
