// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/RecordReadJobs.h"

#include <atomic>
#include <exception>

#include "ui/files/RecordFile.h"

struct RecordReadJobs::State {
  std::atomic<bool> cancelled{false};
};

RecordReadJobs::RecordReadJobs(QObject* parent) : QObject(parent) {
  // One worker: files are read in the order they were given, and the disk is read one file at
  // a time anyway.
  pool_.setMaxThreadCount(1);
}

RecordReadJobs::~RecordReadJobs() {
  for (auto& [id, state] : running_) state->cancelled = true;
  running_.clear();
  pool_.clear();
  pool_.waitForDone();
}

void RecordReadJobs::Start(int id, const QString& path, const RecordReadOptions& options) {
  Cancel(id);
  auto state = std::make_shared<State>();
  running_.emplace(id, state);
  pool_.start([this, id, path, options, state] {
    if (state->cancelled) return;
    auto result = std::make_shared<RecordReadResult>();
    result->id = id;
    result->path = path;
    try {
      result->read = LoadRecordFile(path, options, &state->cancelled);
    } catch (const std::exception& error) {
      // No exception may leave a worker thread; the owner shows the reason.
      result->read =
          QStringLiteral("Cannot read \"%1\": %2").arg(path, QString::fromUtf8(error.what()));
    }
    if (state->cancelled) return;
    QMetaObject::invokeMethod(
        this, [this, state, result] { Deliver(state, std::move(*result)); }, Qt::QueuedConnection);
  });
}

void RecordReadJobs::Cancel(int id) {
  const auto job = running_.find(id);
  if (job == running_.end()) return;
  job->second->cancelled = true;
  running_.erase(job);
}

void RecordReadJobs::CancelAll() {
  for (auto& [id, state] : running_) state->cancelled = true;
  running_.clear();
}

void RecordReadJobs::Deliver(const std::shared_ptr<State>& state, RecordReadResult result) {
  const auto job = running_.find(result.id);
  if (job == running_.end() || job->second != state) return;
  running_.erase(job);
  emit finished(result);
}
