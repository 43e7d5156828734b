// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/SetProblem.h"

#include <cmath>
#include <vector>

namespace {

// As in the check: a mean printed exactly on the tolerance boundary passes.
constexpr double kBoundarySlack = 1e-12;
// Periods summed between two looks at the limit.
constexpr std::size_t kLimitBlock = 16;

}  // namespace

bool Better(const SetScore& a, const SetScore& b) {
  if (a.passes != b.passes) return a.passes;
  if (a.bandSquares != b.bandSquares) return a.bandSquares < b.bandSquares;
  if (a.worstMain != b.worstMain) return a.worstMain < b.worstMain;
  return a.members < b.members;
}

double BandSquares(const double* sums, const double* add, std::size_t bandCount,
                   double inverseCount, double limit) {
  // Four partial sums, so that the loop is not one chain of dependent additions.
  double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
  std::size_t p = 0;
  for (std::size_t block = 0; p + 4 <= bandCount; p += 4) {
    double d[4];
    for (std::size_t k = 0; k < 4; ++k) {
      const double sum = add ? sums[p + k] + add[p + k] : sums[p + k];
      d[k] = sum * inverseCount - 1;
    }
    s0 += d[0] * d[0];
    s1 += d[1] * d[1];
    s2 += d[2] * d[2];
    s3 += d[3] * d[3];
    block += 4;
    if (block >= kLimitBlock) {
      block = 0;
      if ((s0 + s1) + (s2 + s3) > limit) return (s0 + s1) + (s2 + s3);
    }
  }
  for (; p < bandCount; ++p) {
    const double sum = add ? sums[p] + add[p] : sums[p];
    const double d = sum * inverseCount - 1;
    s0 += d * d;
  }
  return (s0 + s1) + (s2 + s3);
}

bool MainPeriodsPass(const SetProblem& problem, const double* mainSums, std::size_t count,
                     double& worst) {
  bool passes = true;
  worst = 0;
  for (std::size_t m = 0; m < problem.mainCount; ++m) {
    const double design = problem.mainDesign[m];
    const double difference = mainSums[m] / static_cast<double>(count) - design;
    passes = passes && std::fabs(difference) <= problem.tolerance * design * (1 + kBoundarySlack);
    worst = std::fmax(worst, std::fabs(difference) / design);
  }
  return passes;
}

SetScore ScoreSet(const SetProblem& problem, std::span<const std::uint32_t> members) {
  std::vector<double> band(problem.bandCount, 0.0);
  std::vector<double> main(problem.mainCount, 0.0);
  std::size_t real = 0;
  for (const std::uint32_t i : members) {
    const double* row = problem.BandRow(i);
    for (std::size_t p = 0; p < problem.bandCount; ++p) band[p] += row[p];
    const double* mainRow = problem.MainRow(i);
    for (std::size_t m = 0; m < problem.mainCount; ++m) main[m] += mainRow[m];
    real += problem.real[i] ? 1 : 0;
  }
  SetScore score;
  score.members.assign(members.begin(), members.end());
  const bool mainPass = MainPeriodsPass(problem, main.data(), members.size(), score.worstMain);
  score.passes = mainPass && real >= problem.minimumReal && problem.sizeAllowed;
  score.bandSquares = BandSquares(band.data(), nullptr, problem.bandCount,
                                  1.0 / static_cast<double>(members.size()));
  return score;
}
