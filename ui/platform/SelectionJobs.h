// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <atomic>
#include <memory>
#include <optional>

#include "model/DesignSpectrum.h"
#include "records/RecordReader.h"
#include "records/RecordSelection.h"

struct SelectionJobResult {
  QStringList paths;  // the candidates, in the order the sets name them
  std::optional<SelectionResult> selection;
  QString error;  // why there is no selection
};

// Reads a library of record files and chooses the best set from it on a worker thread; the
// result reaches the thread that owns this object through `finished`, unless cancelled before.
// Destruction cancels and waits for the worker.
class SelectionJobs : public QObject {
  Q_OBJECT

 public:
  explicit SelectionJobs(QObject* parent = nullptr);
  ~SelectionJobs() override;

  // `design` is a copy kept by the job; the target in cm/s2, none: the records as read.
  void Start(std::shared_ptr<const DesignSpectrum> design, const QStringList& paths,
             const RecordReadOptions& options, const SelectionSettings& settings,
             std::optional<double> targetGal);
  void Cancel();
  bool Busy() const { return state_ != nullptr; }
  // Fraction of the files read, in [0, 1]; the search follows.
  double Progress() const;

 signals:
  void progressed();
  void finished(const SelectionJobResult& result);

 private:
  struct State {
    std::atomic<bool> cancelled{false};
    std::atomic<double> done{0};
  };
  void Deliver(const std::shared_ptr<State>& state, SelectionJobResult result);

  std::shared_ptr<State> state_;
  QThreadPool pool_;
};
