// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/ArtificialJobs.h"

#include <exception>
#include <stdexcept>

#ifdef TREMVALE_ARTIFICIAL
#include "records/ArtificialRecord.h"
#endif

ArtificialJobs::ArtificialJobs(QObject* parent) : QObject(parent) { pool_.setMaxThreadCount(1); }

ArtificialJobs::~ArtificialJobs() {
  Cancel();
  pool_.clear();
  pool_.waitForDone();
}

#ifdef TREMVALE_ARTIFICIAL
bool ArtificialJobs::Available() { return true; }

void ArtificialJobs::Start(std::shared_ptr<const DesignSpectrum> design,
                           const ArtificialRequest& request, double targetPga) {
  std::vector<ArtificialOptions> options;
  for (int i = 0; i < request.count; ++i) {
    ArtificialOptions option;
    option.targetPga = targetPga;
    option.step = request.step;
    option.duration = request.duration;
    option.envelope = IntensityEnvelope::ForDuration(request.duration);
    option.tolerance = request.tolerance / 100;
    option.seed = request.seed + static_cast<std::uint64_t>(i);
    CheckArtificialInputs(*design, option);
    options.push_back(option);
  }
  Cancel();
  auto state = std::make_shared<State>();
  state_ = state;
  count_ = options.size();
  pool_.start([this, design = std::move(design), options = std::move(options), state] {
    ArtificialJobResult result;
    const double count = static_cast<double>(options.size());
    for (std::size_t i = 0; i < options.size() && !state->cancelled; ++i) {
      const ArtificialOptions& option = options[i];
      const QString name = QStringLiteral("artificial-%1").arg(option.seed);
      try {
        const std::optional<ArtificialResult> made =
            GenerateArtificial(*design, option, [&](double fraction) {
              state->done = (static_cast<double>(i) + fraction) / count;
              QMetaObject::invokeMethod(this, &ArtificialJobs::progressed, Qt::QueuedConnection);
              return !state->cancelled.load();
            });
        if (!made) break;  // cancelled
        if (!made->reached) {
          result.missed.push_back({option.seed, made->worstPeriod, made->worstDeviation, {}});
          continue;
        }
        ArtificialRecordMade record{made->motion, DescribeArtificial(*design, option, *made)};
        record.motion.name = name.toStdString();
        record.motion.description = record.header.detail;
        result.made.push_back(std::move(record));
      } catch (const std::exception& error) {
        // No exception may leave a worker thread; the owner shows the reason.
        result.missed.push_back({option.seed, 0, 0, QString::fromUtf8(error.what())});
      }
    }
    if (state->cancelled) return;
    auto shared = std::make_shared<ArtificialJobResult>(std::move(result));
    QMetaObject::invokeMethod(
        this, [this, state, shared] { Deliver(state, std::move(*shared)); }, Qt::QueuedConnection);
  });
}

#else
bool ArtificialJobs::Available() { return false; }

void ArtificialJobs::Start(std::shared_ptr<const DesignSpectrum>, const ArtificialRequest&,
                           double) {
  throw std::runtime_error("This build of the program cannot generate artificial records.");
}
#endif

void ArtificialJobs::Cancel() {
  if (state_) state_->cancelled = true;
  state_.reset();
}

double ArtificialJobs::Progress() const { return state_ ? state_->done.load() : 0.0; }

void ArtificialJobs::Deliver(const std::shared_ptr<State>& state, ArtificialJobResult result) {
  if (state != state_) return;
  state_.reset();
  emit finished(result);
}
