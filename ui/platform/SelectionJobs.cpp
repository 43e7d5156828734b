// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/SelectionJobs.h"

#include <exception>
#include <stdexcept>
#include <variant>

#include "records/LibrarySpectra.h"
#include "ui/files/RecordFile.h"

SelectionJobs::SelectionJobs(QObject* parent) : QObject(parent) { pool_.setMaxThreadCount(1); }

SelectionJobs::~SelectionJobs() {
  Cancel();
  pool_.clear();
  pool_.waitForDone();
}

void SelectionJobs::Start(std::shared_ptr<const DesignSpectrum> design, const QStringList& paths,
                          const RecordReadOptions& options, const SelectionSettings& settings,
                          std::optional<double> targetGal) {
  Cancel();
  auto state = std::make_shared<State>();
  state_ = state;
  pool_.start([this, design = std::move(design), paths, options, settings, targetGal, state] {
    SelectionJobResult result;
    result.paths = paths;
    try {
      LibraryRequest library;
      library.count = static_cast<std::size_t>(paths.size());
      library.read = [&](std::size_t i) {
        auto read = LoadRecordFile(paths[static_cast<qsizetype>(i)], options);
        if (const QString* failure = std::get_if<QString>(&read)) {
          throw std::runtime_error(failure->toStdString());
        }
        return std::get<GroundMotion>(std::move(read));
      };
      library.real = [](std::size_t) { return true; };
      library.periods = SelectionPeriods(settings);
      library.damping = design->damping;
      library.targetGal = targetGal;
      const auto carryOn = [&] { return !state->cancelled.load(); };
      const std::optional<std::vector<CandidateSpectrum>> candidates =
          ComputeLibrarySpectra(library, [&](std::size_t done, std::size_t total) {
            state->done = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1;
            QMetaObject::invokeMethod(this, &SelectionJobs::progressed, Qt::QueuedConnection);
            return carryOn();
          });
      if (!candidates) return;
      result.selection = SelectRecords(*candidates, *design, settings, carryOn);
    } catch (const std::exception& error) {
      // No exception may leave a worker thread; the owner shows the reason.
      result.error = QString::fromUtf8(error.what());
    }
    if (state->cancelled || (result.selection && result.selection->cancelled)) return;
    auto shared = std::make_shared<SelectionJobResult>(std::move(result));
    QMetaObject::invokeMethod(
        this, [this, state, shared] { Deliver(state, std::move(*shared)); }, Qt::QueuedConnection);
  });
}

void SelectionJobs::Cancel() {
  if (state_) state_->cancelled = true;
  state_.reset();
}

double SelectionJobs::Progress() const { return state_ ? state_->done.load() : 0.0; }

void SelectionJobs::Deliver(const std::shared_ptr<State>& state, SelectionJobResult result) {
  if (state != state_) return;
  state_.reset();
  emit finished(result);
}
