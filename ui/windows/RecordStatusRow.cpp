#include "ui/windows/RecordStatusRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
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

void RecordStatusRow::Show(const RecordSet& records, std::size_t pendingFiles,
                           const SpectrumJobs& jobs) {
  const std::size_t ready = records.ComputedCount();
  if (records.Empty()) {
    pbCompute->setValue(0);
    lblStatus->setText(
        QStringLiteral("No records. Add record files or drop them onto this window."));
    return;
  }
  if (pendingFiles > 0) {
    lblStatus->setText(QStringLiteral("Reading files: %1 left.").arg(pendingFiles));
  }
  const double done = jobs.Busy() ? jobs.Progress() : 1.0;
  pbCompute->setValue(static_cast<int>(std::lround(done * kProgressSteps)));
  lblStatus->setText(jobs.Busy()
                         ? QStringLiteral("Computing spectra: %1 of %2 records ready.")
                               .arg(ready)
                               .arg(records.Size())
                         : QStringLiteral("Spectra of all %1 records ready.").arg(records.Size()));
}
