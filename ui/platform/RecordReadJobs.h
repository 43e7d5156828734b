// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <map>
#include <memory>
#include <variant>

#include "records/GroundMotion.h"
#include "records/RecordReader.h"

struct RecordReadResult {
  int id = 0;
  QString path;
  // The record, or the message for the user why it could not be read.
  std::variant<GroundMotion, QString> read;
};

// Reads record files on a worker thread, one job per id, in the order they were started, so
// that a pipe, a slow disk or a large file never holds up the window. Each result reaches the
// thread that owns this object through `finished`; a job cancelled before then never reports.
// Destruction cancels every job and waits for the worker, which stops within one block of
// the file it reads.
class RecordReadJobs : public QObject {
  Q_OBJECT

 public:
  explicit RecordReadJobs(QObject* parent = nullptr);
  ~RecordReadJobs() override;

  void Start(int id, const QString& path, const RecordReadOptions& options);
  void Cancel(int id);
  void CancelAll();

  bool Busy() const { return !running_.empty(); }
  std::size_t Count() const { return running_.size(); }
  bool IsRunning(int id) const { return running_.count(id) > 0; }

 signals:
  void finished(const RecordReadResult& result);

 private:
  struct State;
  void Deliver(const std::shared_ptr<State>& state, RecordReadResult result);

  std::map<int, std::shared_ptr<State>> running_;
  QThreadPool pool_;
};
