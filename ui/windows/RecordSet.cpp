// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/RecordSet.h"

#include <algorithm>

#include "records/RecordScaling.h"

namespace {

std::vector<double> Times(std::vector<double> values, double factor) {
  for (double& value : values) value *= factor;
  return values;
}

}  // namespace

RecordEntry* RecordSet::Find(int id) {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [id](const RecordEntry& entry) { return entry.id == id; });
  return found != entries_.end() ? &*found : nullptr;
}

bool RecordSet::HasPath(const QString& fullPath) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const RecordEntry& entry) { return entry.path == fullPath; });
}

const RecordEntry& RecordSet::Add(GroundMotion motion, const QString& fullPath, int id) {
  RecordEntry entry;
  entry.id = id;
  entry.path = fullPath;
  entry.peak = PeakAcceleration(motion);
  entry.effectiveDuration = EffectiveDuration(motion);
  entry.motion = std::make_shared<const GroundMotion>(std::move(motion));
  return entries_.emplace_back(std::move(entry));
}

void RecordSet::Remove(int id) {
  std::erase_if(entries_, [id](const RecordEntry& entry) { return entry.id == id; });
}

void RecordSet::ForgetComputed() {
  for (RecordEntry& entry : entries_) {
    entry.spectrum.reset();
    entry.check.reset();
    entry.failed = false;
    entry.failure.clear();
  }
}

void RecordSet::Rescale(std::optional<double> targetGal) {
  for (RecordEntry& entry : entries_) entry.scaleFactor = ScaleFactor(*entry.motion, targetGal);
}

bool RecordSet::AllComputed() const { return ComputedCount() == entries_.size(); }

std::size_t RecordSet::ComputedCount() const {
  return static_cast<std::size_t>(
      std::count_if(entries_.begin(), entries_.end(),
                    [](const RecordEntry& entry) { return entry.spectrum.has_value(); }));
}

std::size_t RecordSet::FailedCount() const {
  return static_cast<std::size_t>(std::count_if(
      entries_.begin(), entries_.end(), [](const RecordEntry& entry) { return entry.failed; }));
}

const RecordEntry* RecordSet::FirstFailed() const {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [](const RecordEntry& entry) { return entry.failed; });
  return found != entries_.end() ? &*found : nullptr;
}

std::vector<double> RecordSet::ScaledPsa(const RecordEntry& entry) {
  return entry.spectrum ? Times(entry.spectrum->psa, entry.scaleFactor) : std::vector<double>{};
}

std::vector<double> RecordSet::MeanPsa() const {
  if (entries_.empty() || !AllComputed()) return {};
  std::vector<double> sum(entries_.front().spectrum->psa.size(), 0);
  for (const RecordEntry& entry : entries_) {
    const std::vector<double> psa = ScaledPsa(entry);
    for (std::size_t i = 0; i < sum.size() && i < psa.size(); ++i) sum[i] += psa[i];
  }
  return Times(std::move(sum), 1.0 / static_cast<double>(entries_.size()));
}

std::optional<std::vector<CheckRecord>> RecordSet::CheckSet() const {
  std::vector<CheckRecord> set;
  for (const RecordEntry& entry : entries_) {
    if (!entry.check) return std::nullopt;
    CheckRecord record = *entry.check;
    record.name = entry.motion->name;
    record.psa = Times(std::move(record.psa), entry.scaleFactor);
    record.real = entry.real;
    record.scaleFactor = entry.scaleFactor;
    record.peakAcceleration = entry.peak;
    set.push_back(std::move(record));
  }
  return set;
}

std::vector<RecordsCsvRecord> RecordSet::CsvRecords() const {
  std::vector<RecordsCsvRecord> records;
  for (const RecordEntry& entry : entries_) {
    const GroundMotion& motion = *entry.motion;
    records.push_back({entry.path.toStdString(), motion.acceleration.size(), motion.step,
                       Duration(motion), entry.peak, entry.scaleFactor, entry.real,
                       entry.effectiveDuration, ScaledPsa(entry), motion.description});
  }
  return records;
}
