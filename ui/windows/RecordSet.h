// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "records/CompatibilityCheck.h"
#include "ui/files/RecordsCsvText.h"
#include "ui/windows/RecordEntry.h"

// The records of the records window in the order they were added, with what has been computed
// for each, and the figures the chart, the check and the data file take from them.
class RecordSet {
 public:
  const std::vector<RecordEntry>& Entries() const { return entries_; }
  bool Empty() const { return entries_.empty(); }
  std::size_t Size() const { return entries_.size(); }

  RecordEntry* Find(int id);
  bool HasPath(const QString& fullPath) const;
  // An id for a record still being read; Add takes it when the record arrives.
  int ReserveId() { return nextId_++; }
  // Appends a record read from the file at fullPath, with an id from ReserveId.
  const RecordEntry& Add(GroundMotion motion, const QString& fullPath, int id);
  void Remove(int id);
  // Drops every record's spectra, check entry and failure, before they are computed anew.
  void ForgetComputed();
  // Scale factors for a target in cm/s2, or 1 without one.
  void Rescale(std::optional<double> targetGal);

  // Every record has its spectra.
  bool AllComputed() const;
  // Every record has its spectra or has failed to get them.
  bool AllSettled() const { return ComputedCount() + FailedCount() == entries_.size(); }
  std::size_t ComputedCount() const;
  std::size_t FailedCount() const;
  const RecordEntry* FirstFailed() const;
  // A record's PSA on its spectra's periods, scaled; empty until its spectra have arrived.
  static std::vector<double> ScaledPsa(const RecordEntry& entry);
  // The mean of the scaled PSA over all records; empty until every record has its spectra.
  std::vector<double> MeanPsa() const;
  // The set as the check sees it, scaled and marked; no value until every record has its
  // check entry.
  std::optional<std::vector<CheckRecord>> CheckSet() const;
  std::vector<RecordsCsvRecord> CsvRecords() const;

 private:
  std::vector<RecordEntry> entries_;
  int nextId_ = 1;
};
