// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QThreadPool>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "records/CompatibilityCheck.h"
#include "records/GroundMotion.h"
#include "records/ResponseSpectrum.h"

// What one record needs computed: its spectra on the fine period grid and, when main periods
// are given, its entry for the compatibility check.
struct SpectrumJob {
  int id = 0;
  std::shared_ptr<const GroundMotion> motion;
  double damping = 0.05;
  std::vector<double> mainPeriods;
  std::string decimalSeparator = ".";  // of the numbers in messages
};

struct SpectrumJobResult {
  int id = 0;
  std::optional<ResponseSpectrum> spectrum;  // unscaled
  std::optional<CheckRecord> check;          // unscaled PSA at the main periods
  std::string error;                         // why the computation failed; empty when it did not
};

// Computes record spectra on worker threads, one job per record id. Each result reaches the
// thread that owns this object through `finished` as soon as its job ends; a job cancelled or
// replaced before then never reports. Destruction cancels every job and waits for the
// workers, which stop within one progress step of the spectrum computation.
class SpectrumJobs : public QObject {
  Q_OBJECT

 public:
  explicit SpectrumJobs(QObject* parent = nullptr);
  ~SpectrumJobs() override;

  // Starts a job; one still running for the same id is cancelled first.
  void Start(SpectrumJob job);
  void Cancel(int id);
  void CancelAll();

  bool Busy() const { return !running_.empty(); }
  bool IsRunning(int id) const { return running_.count(id) > 0; }
  // The part done of the jobs started since none was running, 0..1.
  double Progress() const;

 signals:
  void finished(const SpectrumJobResult& result);
  // The progress moved on, or a job ended or was cancelled.
  void progressed();

 private:
  struct State;
  void Deliver(const std::shared_ptr<State>& state, SpectrumJobResult result);
  // Forgets a job; counts it as done for the progress.
  void Drop(std::map<int, std::shared_ptr<State>>::iterator job);

  std::map<int, std::shared_ptr<State>> running_;
  int started_ = 0;  // jobs started since none was running
  int ended_ = 0;    // of these, the ones delivered or cancelled
  QThreadPool pool_;
};
