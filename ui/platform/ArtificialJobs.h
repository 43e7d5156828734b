// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/DesignSpectrum.h"
#include "records/GroundMotion.h"
#include "records/RecordWriter.h"

// What the user asks of a generation of artificial records.
struct ArtificialRequest {
  int count = 1;
  double duration = 30;    // s
  double step = 0.01;      // s
  std::uint64_t seed = 1;  // of the first record; the others take the following seeds
  double tolerance = 5;    // %
};

// One generated record that reached its fit, with what a saved copy says about itself.
struct ArtificialRecordMade {
  GroundMotion motion;
  RecordHeader header;
};

// A record left out: its fit missed the tolerance (worst period and deviation of the closest
// round), or the generator refused it (the reason).
struct ArtificialMiss {
  std::uint64_t seed = 0;
  double worstPeriod = 0;     // s
  double worstDeviation = 0;  // PSA / Sa - 1
  QString error;
};

struct ArtificialJobResult {
  std::vector<ArtificialRecordMade> made;  // in the order of the options
  std::vector<ArtificialMiss> missed;
};

// Generates artificial records one after the other on a worker thread; the result reaches the
// thread that owns this object through `finished`, unless cancelled before. Destruction
// cancels and waits for the worker, which stops after its current round of corrections.
class ArtificialJobs : public QObject {
  Q_OBJECT

 public:
  explicit ArtificialJobs(QObject* parent = nullptr);
  ~ArtificialJobs() override;

  // Whether this build has the generator.
  static bool Available();
  // `design` is a copy kept by the job, `targetPga` in g; the records are named after their
  // seeds. Figures the generator refuses throw std::invalid_argument before anything starts.
  void Start(std::shared_ptr<const DesignSpectrum> design, const ArtificialRequest& request,
             double targetPga);
  void Cancel();
  bool Busy() const { return state_ != nullptr; }
  // Fraction of the records done, in [0, 1].
  double Progress() const;
  std::size_t Count() const { return count_; }

 signals:
  void progressed();
  void finished(const ArtificialJobResult& result);

 private:
  struct State {
    std::atomic<bool> cancelled{false};
    std::atomic<double> done{0};
  };
  void Deliver(const std::shared_ptr<State>& state, ArtificialJobResult result);

  std::shared_ptr<State> state_;
  std::size_t count_ = 0;
  QThreadPool pool_;
};
