// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/SpectrumJobs.h"

#include <QThread>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <stdexcept>

// Shared by a job's worker and this object: the worker reads the cancel flag through the
// progress callback and writes how far it got.
struct SpectrumJobs::State {
  std::atomic<bool> cancelled{false};
  std::atomic<double> fraction{0};
};

namespace {

// Steps of the progress a worker reports to the owning thread; finer reports would only cost
// events.
constexpr double kReportStep = 0.1;

bool AllFinite(const std::vector<double>& values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// A record whose motion is near the end of the range of numbers gives "inf" or "nan" spectra,
// which would pass for results in the chart, the check and the data file.
void CheckFinite(const SpectrumJobResult& result, const std::string& name) {
  const ResponseSpectrum& spectrum = *result.spectrum;
  const bool finite = AllFinite(spectrum.psa) && AllFinite(spectrum.sa) && AllFinite(spectrum.sd) &&
                      AllFinite(spectrum.psv) && (!result.check || AllFinite(result.check->psa));
  if (!finite) {
    throw std::overflow_error("The spectra of " + name + " reach beyond the range of numbers.");
  }
}

SpectrumJobResult Compute(const SpectrumJob& job, const std::function<bool(double)>& progress) {
  SpectrumJobResult result;
  result.id = job.id;
  try {
    SpectrumOptions options;
    options.damping = job.damping;
    options.decimalSeparator = job.decimalSeparator;
    result.spectrum = ComputeSpectrum(*job.motion, options, progress);
    if (result.spectrum && !job.mainPeriods.empty()) {
      result.check = MakeCheckRecord(*job.motion, 1, true, job.mainPeriods, job.damping);
    }
    if (result.spectrum) CheckFinite(result, job.motion->name);
  } catch (const std::exception& error) {
    // No exception may leave a worker thread; the owner shows the reason.
    result.spectrum.reset();
    result.check.reset();
    result.error = error.what();
  }
  return result;
}

}  // namespace

SpectrumJobs::SpectrumJobs(QObject* parent) : QObject(parent) {
  pool_.setMaxThreadCount(QThread::idealThreadCount());
}

SpectrumJobs::~SpectrumJobs() {
  // No signal here: the receivers may be half destroyed already.
  for (auto& [id, state] : running_) state->cancelled = true;
  running_.clear();
  // The workers post to this object; none may still run when it is gone. Events they have
  // posted already are discarded with it.
  pool_.waitForDone();
}

void SpectrumJobs::Start(SpectrumJob job) {
  Cancel(job.id);
  auto state = std::make_shared<State>();
  running_.emplace(job.id, state);
  ++started_;
  pool_.start([this, job = std::move(job), state] {
    double reported = 0;
    const auto progress = [this, &state, &reported](double fraction) {
      state->fraction = fraction;
      if (fraction - reported >= kReportStep) {
        reported = fraction;
        QMetaObject::invokeMethod(
            this, [this] { emit progressed(); }, Qt::QueuedConnection);
      }
      return !state->cancelled;
    };
    auto result = std::make_shared<SpectrumJobResult>(Compute(job, progress));
    if (state->cancelled) return;
    QMetaObject::invokeMethod(
        this, [this, state, result] { Deliver(state, std::move(*result)); }, Qt::QueuedConnection);
  });
}

void SpectrumJobs::Cancel(int id) {
  const auto job = running_.find(id);
  if (job == running_.end()) return;
  job->second->cancelled = true;
  Drop(job);
  emit progressed();
}

void SpectrumJobs::CancelAll() {
  if (running_.empty()) return;
  while (!running_.empty()) {
    running_.begin()->second->cancelled = true;
    Drop(running_.begin());
  }
  emit progressed();
}

double SpectrumJobs::Progress() const {
  if (started_ == 0) return 1;
  double done = ended_;
  for (const auto& [id, state] : running_) done += state->fraction;
  return done / started_;
}

void SpectrumJobs::Deliver(const std::shared_ptr<State>& state, SpectrumJobResult result) {
  const auto job = running_.find(result.id);
  // Cancelled, or replaced by a newer job for the same record.
  if (job == running_.end() || job->second != state) return;
  Drop(job);
  emit finished(result);
  emit progressed();
}

void SpectrumJobs::Drop(std::map<int, std::shared_ptr<State>>::iterator job) {
  running_.erase(job);
  ++ended_;
  if (running_.empty()) started_ = ended_ = 0;
}
