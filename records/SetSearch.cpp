// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/SetSearch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <mutex>
#include <random>

#include "records/ParallelFor.h"
#include "records/TopSets.h"

namespace {

using Clock = std::chrono::steady_clock;

// Sets few enough to enumerate at once, without first timing the exchange search.
constexpr double kDirectEnumeration = 2e5;
// Sets scored between two looks at the clock.
constexpr std::uint64_t kClockInterval = 1 << 16;
// Exchange search: starts per round are the workers; it stops after this many rounds without a
// better best set, or at the most starts.
constexpr std::size_t kIdleRounds = 3;
constexpr std::size_t kMostStarts = 256;
// A move must improve by more than the rounding of the sums, or two sets could swap for ever.
constexpr double kImprovement = 1e-12;
constexpr std::size_t kMostMoves = 10000;
// Iterations of the relaxation and the share of the time limit it may take.
constexpr std::size_t kBoundIterations = 400;
constexpr double kBoundShare = 0.1;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

// Enumerates the sets in increasing member order, with the sums of the members chosen so far
// kept per level, so that a set costs one pass over the band at the last level.
class Enumerator {
 public:
  Enumerator(const SetProblem& problem, TopSets seed, Clock::time_point deadline,
             std::atomic<bool>& stop)
      : p_(problem),
        top_(std::move(seed)),
        deadline_(deadline),
        stop_(stop),
        band_((problem.count + 1) * problem.bandCount, 0.0),
        main_((problem.count + 1) * problem.mainCount, 0.0),
        real_(problem.count + 1, 0),
        chosen_(problem.count),
        requiredFrom_(problem.candidates + 1, 0),
        nextRequired_(problem.candidates + 1, problem.candidates) {
    for (std::size_t j = problem.candidates; j-- > 0;) {
      requiredFrom_[j] = requiredFrom_[j + 1] + (problem.required[j] ? 1 : 0);
      nextRequired_[j] = problem.required[j] ? j : nextRequired_[j + 1];
    }
  }

  // The last candidate that may come at a level, choosing from start on.
  std::size_t Last(std::size_t level, std::size_t start) const {
    const std::size_t room = p_.candidates - (p_.count - level);
    return std::min(nextRequired_[start], room);
  }

  // Every set whose first member is first.
  void RunFrom(std::size_t first) {
    if (requiredFrom_[first + 1] > p_.count - 1) return;
    if (p_.count == 1) {
      Inner(first, first);
    } else {
      Choose(0, first);
      Recurse(1, first + 1);
    }
  }

  const TopSets& Top() const { return top_; }
  std::uint64_t Evaluated() const { return evaluated_; }

 private:
  void Choose(std::size_t level, std::size_t j) {
    chosen_[level] = static_cast<std::uint32_t>(j);
    const std::size_t P = p_.bandCount, M = p_.mainCount;
    const double* from = band_.data() + level * P;
    double* to = band_.data() + (level + 1) * P;
    const double* row = p_.BandRow(j);
    for (std::size_t q = 0; q < P; ++q) to[q] = from[q] + row[q];
    const double* mainFrom = main_.data() + level * M;
    double* mainTo = main_.data() + (level + 1) * M;
    const double* mainRow = p_.MainRow(j);
    for (std::size_t m = 0; m < M; ++m) mainTo[m] = mainFrom[m] + mainRow[m];
    real_[level + 1] = real_[level] + (p_.real[j] ? 1 : 0);
  }

  void Recurse(std::size_t level, std::size_t start) {
    if (stop_.load(std::memory_order_relaxed)) return;
    const std::size_t last = Last(level, start);
    if (level + 1 == p_.count) {
      Inner(start, last);
      return;
    }
    for (std::size_t j = start; j <= last; ++j) {
      // The required members after j must still fit.
      if (requiredFrom_[j + 1] > p_.count - level - 1) continue;
      Choose(level, j);
      Recurse(level + 1, j + 1);
    }
  }

  // The sets that complete the chosen members with one of start..last.
  void Inner(std::size_t start, std::size_t last) {
    const std::size_t level = p_.count - 1;
    const std::size_t P = p_.bandCount, M = p_.mainCount;
    const double* partial = band_.data() + level * P;
    const double* mainPartial = main_.data() + level * M;
    const double inverse = 1.0 / static_cast<double>(p_.count);
    double sums[16];
    std::vector<double> wide;
    double* mainSums = sums;
    if (M > 16) {
      wide.resize(M);
      mainSums = wide.data();
    }
    for (std::size_t j = start; j <= last; ++j) {
      if (requiredFrom_[j + 1] > 0) continue;  // a required member would be left out
      const double* mainRow = p_.MainRow(j);
      for (std::size_t m = 0; m < M; ++m) mainSums[m] = mainPartial[m] + mainRow[m];
      double worst = 0;
      const bool passes = MainPeriodsPass(p_, mainSums, p_.count, worst) &&
                          real_[level] + (p_.real[j] ? 1 : 0) >= p_.minimumReal && p_.sizeAllowed;
      ++evaluated_;
      const double limit = top_.SquaresLimit(passes);
      if (limit < 0) continue;
      const double squares = BandSquares(partial, p_.BandRow(j), P, inverse, limit);
      if (squares > limit) continue;
      SetScore score;
      score.passes = passes;
      score.bandSquares = squares;
      score.worstMain = worst;
      score.members.assign(chosen_.begin(), chosen_.begin() + static_cast<std::ptrdiff_t>(level));
      score.members.push_back(static_cast<std::uint32_t>(j));
      top_.Offer(std::move(score));
    }
    if (evaluated_ >= nextClock_) {
      nextClock_ = evaluated_ + kClockInterval;
      if (Clock::now() > deadline_) stop_ = true;
    }
  }

  const SetProblem& p_;
  TopSets top_;
  Clock::time_point deadline_;
  std::atomic<bool>& stop_;
  std::vector<double> band_;  // per level: the sums of the members chosen before it
  std::vector<double> main_;
  std::vector<std::size_t> real_;
  std::vector<std::uint32_t> chosen_;
  std::vector<std::size_t> requiredFrom_;  // required candidates from j on
  std::vector<std::size_t> nextRequired_;  // the first required candidate from j on
  std::uint64_t evaluated_ = 0;
  std::uint64_t nextClock_ = kClockInterval;
};

// How far a set is from passing (0 when it passes) and its band sum of squares, compared in
// that order; with passing ignored, the band alone.
struct Objective {
  double violation = 0;
  double squares = 0;
  bool Below(const Objective& other) const {
    if (violation != other.violation) return violation < other.violation;
    return squares < other.squares * (1 - kImprovement);
  }
};

// Greedy choice and single exchanges from one start.
class ExchangeSearch {
 public:
  ExchangeSearch(const SetProblem& problem, bool seekPassing, TopSets& top)
      : p_(problem),
        seekPassing_(seekPassing),
        top_(top),
        in_(problem.candidates, 0),
        bandBase_(problem.bandCount),
        mainBase_(problem.mainCount),
        mainSums_(problem.mainCount) {}

  void Run(std::size_t start) {
    for (std::size_t j = 0; j < p_.candidates; ++j) {
      if (p_.required[j]) Add(j);
    }
    if (start > 0 && members_.size() < p_.count) {
      // A random first member beside the required ones makes each start different.
      std::mt19937_64 random(start);
      std::vector<std::size_t> free;
      for (std::size_t j = 0; j < p_.candidates; ++j) {
        if (!in_[j]) free.push_back(j);
      }
      Add(free[std::uniform_int_distribution<std::size_t>(0, free.size() - 1)(random)]);
    }
    while (members_.size() < p_.count) Add(BestAddition());
    Offer(members_);
    for (std::size_t move = 0; move < kMostMoves && Exchange(); ++move) {
    }
  }

  std::uint64_t Evaluated() const { return evaluated_; }

 private:
  void Add(std::size_t j) {
    in_[j] = 1;
    members_.push_back(static_cast<std::uint32_t>(j));
    std::sort(members_.begin(), members_.end());
  }

  // Sums over the members, afresh, less one of them (none: candidates).
  void BaseSums(std::size_t without) {
    std::fill(bandBase_.begin(), bandBase_.end(), 0.0);
    std::fill(mainBase_.begin(), mainBase_.end(), 0.0);
    realBase_ = 0;
    for (const std::uint32_t i : members_) {
      if (i == without) continue;
      const double* row = p_.BandRow(i);
      for (std::size_t q = 0; q < p_.bandCount; ++q) bandBase_[q] += row[q];
      const double* mainRow = p_.MainRow(i);
      for (std::size_t m = 0; m < p_.mainCount; ++m) mainBase_[m] += mainRow[m];
      realBase_ += p_.real[i] ? 1 : 0;
    }
  }

  // The objective of the base sums with candidate j added, as a set of size members; passes
  // tells whether such a full set passes.
  Objective With(std::size_t j, std::size_t size, double limit, bool& passes) {
    ++evaluated_;
    const double* mainRow = p_.MainRow(j);
    for (std::size_t m = 0; m < p_.mainCount; ++m) mainSums_[m] = mainBase_[m] + mainRow[m];
    const std::size_t real = realBase_ + (p_.real[j] ? 1 : 0);
    double worst = 0;
    passes = MainPeriodsPass(p_, mainSums_.data(), size, worst) && real >= p_.minimumReal &&
             p_.sizeAllowed;
    Objective objective;
    if (seekPassing_ && !passes) {
      for (std::size_t m = 0; m < p_.mainCount; ++m) {
        const double deviation =
            std::fabs(mainSums_[m] / static_cast<double>(size) / p_.mainDesign[m] - 1);
        objective.violation += std::max(0.0, deviation - p_.tolerance);
      }
      // The real members still missing when every place left went to a real one.
      const std::size_t reachable = real + (p_.count - size);
      if (reachable < p_.minimumReal) {
        objective.violation += static_cast<double>(p_.minimumReal - reachable);
      }
      // Only a full set can pass: a partial one with no excess counts as passing.
      if (size == p_.count) objective.violation = std::max(objective.violation, 1e-12);
    }
    objective.squares = BandSquares(bandBase_.data(), p_.BandRow(j), p_.bandCount,
                                    1.0 / static_cast<double>(size), limit);
    return objective;
  }

  std::size_t BestAddition() {
    BaseSums(p_.candidates);
    const std::size_t size = members_.size() + 1;
    std::size_t best = p_.candidates;
    Objective bestObjective{std::numeric_limits<double>::infinity(), 0};
    for (std::size_t j = 0; j < p_.candidates; ++j) {
      if (in_[j]) continue;
      bool passes = false;
      const Objective objective = With(j, size, std::numeric_limits<double>::infinity(), passes);
      if (best == p_.candidates || objective.Below(bestObjective)) {
        best = j;
        bestObjective = objective;
      }
    }
    return best;
  }

  // The best single exchange, made when it improves; false at a local optimum.
  bool Exchange() {
    bool passesNow = false;
    {
      // The objective of the set itself: its sums less nothing, plus nothing.
      const std::uint32_t last = members_.back();
      BaseSums(last);
      current_ = With(last, p_.count, std::numeric_limits<double>::infinity(), passesNow);
    }
    Objective best = current_;
    std::size_t bestOut = p_.candidates, bestIn = p_.candidates;
    const std::vector<std::uint32_t> members = members_;
    for (const std::uint32_t out : members) {
      if (p_.required[out]) continue;
      BaseSums(out);
      for (std::size_t j = 0; j < p_.candidates; ++j) {
        if (in_[j]) continue;
        bool passes = false;
        const double limit =
            best.violation > 0 ? std::numeric_limits<double>::infinity() : best.squares;
        const Objective objective = With(j, p_.count, limit, passes);
        if (top_.MayEnter(passes, objective.squares)) {
          std::vector<std::uint32_t> set = members;
          *std::find(set.begin(), set.end(), out) = static_cast<std::uint32_t>(j);
          std::sort(set.begin(), set.end());
          Offer(set);
        }
        if (objective.Below(best)) {
          best = objective;
          bestOut = out;
          bestIn = j;
        }
      }
    }
    if (bestOut == p_.candidates) return false;
    in_[bestOut] = 0;
    members_.erase(std::find(members_.begin(), members_.end(), bestOut));
    Add(bestIn);
    return true;
  }

  void Offer(const std::vector<std::uint32_t>& set) { top_.Offer(ScoreSet(p_, set)); }

  const SetProblem& p_;
  bool seekPassing_;
  TopSets& top_;
  std::vector<char> in_;
  std::vector<std::uint32_t> members_;
  std::vector<double> bandBase_;
  std::vector<double> mainBase_;
  std::vector<double> mainSums_;
  std::size_t realBase_ = 0;
  Objective current_;
  std::uint64_t evaluated_ = 0;
};

// A lower bound on the band sum of squares of every set: the relaxation that lets each
// candidate take part with a weight from 0 to 1 (the weights summing to the set size, required
// candidates at 1) is convex, and Frank-Wolfe steps on it give at each step a bound from the
// tangent plane at the current weights.
double RelaxationBound(const SetProblem& p, const std::vector<std::uint32_t>& start,
                       Clock::time_point deadline) {
  const std::size_t n = p.candidates, P = p.bandCount, N = p.count;
  const double inverse = 1.0 / static_cast<double>(N);
  std::vector<double> x(n, 0.0);
  std::vector<double> y(P, 0.0);  // sum of the weighted rows
  for (const std::uint32_t i : start) x[i] = 1;
  for (std::size_t i = 0; i < n; ++i) {
    if (x[i] == 0) continue;
    const double* row = p.BandRow(i);
    for (std::size_t q = 0; q < P; ++q) y[q] += x[i] * row[q];
  }
  std::vector<double> gradient(n), d(P), target(P);
  std::vector<std::size_t> order(n);
  std::size_t required = 0;
  for (std::size_t i = 0; i < n; ++i) required += p.required[i] ? 1 : 0;
  double bound = 0;
  for (std::size_t iteration = 0; iteration < kBoundIterations; ++iteration) {
    double f = 0;
    for (std::size_t q = 0; q < P; ++q) {
      d[q] = y[q] * inverse - 1;
      f += d[q] * d[q];
    }
    for (std::size_t i = 0; i < n; ++i) {
      const double* row = p.BandRow(i);
      double g = 0;
      for (std::size_t q = 0; q < P; ++q) g += d[q] * row[q];
      gradient[i] = 2 * inverse * g;
    }
    // The vertex that minimises the linear model: the required ones and the free ones of the
    // smallest gradient.
    for (std::size_t i = 0; i < n; ++i) order[i] = i;
    const auto firstFree = std::stable_partition(order.begin(), order.end(),
                                                 [&](std::size_t i) { return p.required[i]; });
    const std::size_t free = N - required;
    std::nth_element(firstFree, firstFree + static_cast<std::ptrdiff_t>(free), order.end(),
                     [&](std::size_t a, std::size_t b) { return gradient[a] < gradient[b]; });
    double linear = 0;  // gradient . (vertex - x)
    for (std::size_t i = 0; i < n; ++i) linear -= gradient[i] * x[i];
    std::fill(target.begin(), target.end(), 0.0);
    for (std::size_t k = 0; k < N; ++k) {
      const std::size_t i = order[k];
      linear += gradient[i];
      const double* row = p.BandRow(i);
      for (std::size_t q = 0; q < P; ++q) target[q] += row[q];
    }
    bound = std::max(bound, f + linear);
    // Exact line search along vertex - x: f is quadratic in the step.
    double de = 0, ee = 0;
    for (std::size_t q = 0; q < P; ++q) {
      const double e = (target[q] - y[q]) * inverse;
      de += d[q] * e;
      ee += e * e;
    }
    if (!(ee > 0)) break;
    const double step = std::clamp(-de / ee, 0.0, 1.0);
    if (step == 0) break;
    for (std::size_t q = 0; q < P; ++q) y[q] += step * (target[q] - y[q]);
    for (std::size_t i = 0; i < n; ++i) x[i] *= 1 - step;
    for (std::size_t k = 0; k < N; ++k) x[order[k]] += step;
    if (Clock::now() > deadline) break;
  }
  return bound;
}

// Sets the enumeration scores per second and worker, timed on the problem's own rows for a few
// milliseconds without the pruning that makes most sets cheaper.
double EnumerationRate(const SetProblem& p) {
  constexpr auto kTiming = std::chrono::milliseconds(20);
  const std::vector<double> partial(p.BandRow(0), p.BandRow(0) + p.bandCount);
  std::vector<double> mainSums(p.mainCount);
  const double inverse = 1.0 / static_cast<double>(p.count);
  const Clock::time_point begin = Clock::now();
  std::uint64_t sets = 0;
  double sink = 0;
  while (Clock::now() - begin < kTiming) {
    for (std::size_t k = 0; k < 1024; ++k, ++sets) {
      const std::size_t j = sets % p.candidates;
      const double* mainRow = p.MainRow(j);
      for (std::size_t m = 0; m < p.mainCount; ++m) mainSums[m] = mainRow[m] * 2;
      double worst = 0;
      sink += MainPeriodsPass(p, mainSums.data(), p.count, worst) ? worst : 0;
      sink += BandSquares(partial.data(), p.BandRow(j), p.bandCount, inverse);
    }
  }
  // Kept, so that the timed work is not optimised away.
  volatile double kept = sink;
  (void)kept;
  return static_cast<double>(sets) / Seconds(begin);
}

}  // namespace

double SetCount(std::size_t n, std::size_t k) {
  if (k > n) return 0;
  double count = 1;
  for (std::size_t i = 1; i <= k; ++i) {
    count = count * static_cast<double>(n - k + i) / static_cast<double>(i);
  }
  return std::round(count);
}

SearchOutcome SearchSets(const SetProblem& problem, const SearchLimits& limits,
                         const std::function<bool()>& carryOn) {
  const Clock::time_point begin = Clock::now();
  const auto deadline = begin + std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double>(limits.seconds));
  const unsigned workers = WorkerCount(limits.threads);
  std::size_t required = 0;
  for (const char r : problem.required) required += r ? 1 : 0;

  SearchOutcome outcome;
  outcome.setCount = SetCount(problem.candidates - required, problem.count - required);
  TopSets top(limits.keep);
  std::mutex mutex;
  std::atomic<bool> stop{false};
  auto progress = [&](std::size_t) {
    if (carryOn && !carryOn()) {
      outcome.cancelled = true;
      stop = true;
      return false;
    }
    return true;
  };

  double rate = 0;  // sets scored per second and worker
  if (outcome.setCount > kDirectEnumeration || !limits.enumerate) {
    // Exchange search: first for passing sets; when none is found, for the band alone.
    const bool sizeAllowed = problem.sizeAllowed;
    for (const bool seekPassing : {true, false}) {
      if (seekPassing && !sizeAllowed) continue;
      if (!seekPassing && !top.Sets().empty() && top.Sets().front().passes) break;
      double bestSquares = std::numeric_limits<double>::infinity();
      bool bestPasses = false;
      std::size_t idle = 0;
      for (std::size_t round = 0; idle < kIdleRounds && outcome.starts < kMostStarts; ++round) {
        if (Clock::now() > deadline || outcome.cancelled) break;
        const std::size_t first = outcome.starts;
        ParallelFor(
            workers, workers,
            [&](std::size_t k) {
              TopSets local(limits.keep);
              ExchangeSearch search(problem, seekPassing, local);
              search.Run(first + k);
              const std::lock_guard lock(mutex);
              top.Merge(local);
              outcome.evaluated += search.Evaluated();
            },
            progress);
        outcome.starts += workers;
        const SetScore& best = top.Sets().front();
        const bool improved = (best.passes && !bestPasses) || best.bandSquares < bestSquares;
        idle = improved ? 0 : idle + 1;
        bestPasses = best.passes;
        bestSquares = best.bandSquares;
      }
    }
    rate = EnumerationRate(problem);
  }

  const double remaining = limits.seconds - Seconds(begin);
  const bool worthEnumerating = outcome.setCount <= kDirectEnumeration ||
                                outcome.setCount / (rate * workers) <= remaining * 0.9;
  if (worthEnumerating && limits.enumerate && !outcome.cancelled) {
    std::size_t firstRequired = problem.candidates;
    for (std::size_t j = 0; j < problem.candidates; ++j) {
      if (problem.required[j]) {
        firstRequired = j;
        break;
      }
    }
    const std::size_t units = std::min(firstRequired, problem.candidates - problem.count) + 1;
    std::atomic<std::uint64_t> evaluated{0};
    ParallelFor(
        units, workers,
        [&](std::size_t first) {
          if (stop.load()) return;
          TopSets seed(limits.keep);
          {
            const std::lock_guard lock(mutex);
            seed = top;
          }
          Enumerator enumerator(problem, std::move(seed), deadline, stop);
          enumerator.RunFrom(first);
          evaluated += enumerator.Evaluated();
          const std::lock_guard lock(mutex);
          top.Merge(enumerator.Top());
        },
        progress);
    outcome.evaluated += evaluated.load();
    outcome.exhaustive = !stop.load();
  }
  outcome.sets = top.Sets();
  if (!outcome.exhaustive && !outcome.sets.empty() && !outcome.cancelled) {
    const double boundTime = std::max(limits.seconds * kBoundShare, 0.05);
    outcome.lowerBound = RelaxationBound(
        problem, outcome.sets.front().members,
        Clock::now() +
            std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(boundTime)));
  }
  return outcome;
}
