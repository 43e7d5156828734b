// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <random>
#include <stdexcept>
#include <thread>

#include "model/NumberText.h"
#include "records/LibrarySpectra.h"
#include "records/ParallelFor.h"
#include "records/RecordSelection.h"
#include "records/ShapeBand.h"
#include "tests/records/RecordsTestData.h"

namespace {

// Rare earthquake at 0.20 g: El Centro scales by about 1.3, within the scale band.
constexpr double kTargetGal = 400;
const DesignSpectrum kDesign("design", 0.9, 0.4, 0.05, 0);

// Variants of El Centro with spectra of different shapes: the time axis stretched (which
// moves the spectrum along the periods), smoothed (less at short periods), reversed, and
// truncated or strengthened ones that the selection must leave out.
struct Variant {
  double stretch = 1;
  std::size_t smooth = 1;
  bool reverse = false;
  double seconds = 0;  // keep only the start, when above 0
  double gain = 1;
};

GroundMotion MakeVariant(const GroundMotion& source, const Variant& v, std::size_t index) {
  GroundMotion motion{"v" + std::to_string(index), source.step * v.stretch, {}, {}};
  const std::vector<double>& a = source.acceleration;
  for (std::size_t k = 0; k < a.size(); ++k) {
    double sum = 0;
    std::size_t n = 0;
    for (std::size_t j = k; j < a.size() && j < k + v.smooth; ++j, ++n) sum += a[j];
    motion.acceleration.push_back(v.gain * sum / static_cast<double>(n));
  }
  if (v.reverse) std::reverse(motion.acceleration.begin(), motion.acceleration.end());
  if (v.seconds > 0) motion.acceleration.resize(static_cast<std::size_t>(v.seconds / motion.step));
  return motion;
}

const std::vector<Variant> kVariants = {
    {1.0, 1},  {0.7, 1},        {0.8, 2},           {0.9, 1, true},
    {1.1, 3},  {1.2, 1},        {1.3, 2, true},     {1.4, 1},
    {1.5, 4},  {0.75, 1, true}, {0.85, 3},          {1.05, 2, true},
    {1.25, 1}, {1.6, 2},        {1.0, 1, false, 3}, {1.0, 1, false, 0, 10},
};

struct Library {
  std::vector<CandidateSpectrum> candidates;
  SelectionSettings settings;
};

Library MakeLibrary(std::vector<double> mainPeriods, std::size_t artificialFrom) {
  Library library;
  library.settings.check.periods = std::move(mainPeriods);
  library.settings.bandPeriods = ShapeBandPeriods(DefaultShapeBand(library.settings.check.periods));
  const auto source = ElCentro();
  if (!source) return library;
  LibraryRequest request;
  request.count = kVariants.size();
  request.read = [&](std::size_t i) { return MakeVariant(*source, kVariants[i], i); };
  request.real = [&](std::size_t i) { return i < artificialFrom; };
  request.periods = SelectionPeriods(library.settings);
  request.targetGal = kTargetGal;
  library.candidates = *ComputeLibrarySpectra(request);
  return library;
}

// The order of sets, scored here from the check and the spectra without the search's sums.
struct Brute {
  bool passes;
  double rms;
  double worst;
  std::vector<std::size_t> members;
};

Brute Score(const Library& library, const std::vector<std::size_t>& members) {
  const SelectionSettings& s = library.settings;
  const std::size_t m = s.check.periods.size();
  std::vector<CheckRecord> records;
  for (const std::size_t i : members) {
    const CandidateSpectrum& c = library.candidates[i];
    records.push_back({c.name,
                       {c.psa.begin(), c.psa.begin() + static_cast<long>(m)},
                       c.effectiveDuration,
                       c.real});
  }
  const CheckResult check = CheckCompatibility(records, kDesign, s.check);
  Brute brute{check.passes, 0, 0, members};
  for (const PeriodCheck& period : check.periods) {
    brute.worst = std::max(brute.worst, std::fabs(period.deviationPercent) / 100);
  }
  for (std::size_t p = 0; p < s.bandPeriods.size(); ++p) {
    double mean = 0;
    for (const std::size_t i : members) mean += library.candidates[i].psa[m + p];
    mean /= static_cast<double>(members.size());
    double sa = 0;
    kDesign.GetSa(s.bandPeriods[p], sa);
    brute.rms += (mean / sa - 1) * (mean / sa - 1);
  }
  brute.rms = std::sqrt(brute.rms / static_cast<double>(s.bandPeriods.size()));
  return brute;
}

// Every set of count among the eligible candidates that holds the required ones, best first.
std::vector<Brute> AllSets(const Library& library, const std::vector<std::size_t>& eligible) {
  const std::size_t count = library.settings.count;
  std::vector<Brute> sets;
  std::vector<bool> pick(eligible.size(), false);
  std::fill(pick.begin(), pick.begin() + static_cast<long>(count), true);
  do {
    std::vector<std::size_t> members;
    for (std::size_t k = 0; k < eligible.size(); ++k) {
      if (pick[k]) members.push_back(eligible[k]);
    }
    const bool hasRequired = std::all_of(
        library.settings.required.begin(), library.settings.required.end(), [&](std::size_t r) {
          return std::find(members.begin(), members.end(), r) != members.end();
        });
    if (hasRequired) sets.push_back(Score(library, members));
  } while (std::prev_permutation(pick.begin(), pick.end()));
  std::stable_sort(sets.begin(), sets.end(), [](const Brute& a, const Brute& b) {
    if (a.passes != b.passes) return a.passes;
    return a.rms < b.rms;
  });
  return sets;
}

struct BruteCase {
  const char* what;
  std::vector<double> mainPeriods;
  std::size_t count;
  std::size_t artificialFrom;  // candidates from here on are artificial
  std::vector<std::size_t> required;
  double tolerance;
};

class SelectionBruteForceTest : public ::testing::TestWithParam<BruteCase> {};

TEST_P(SelectionBruteForceTest, NoSetIsBetterThanTheChosenOne) {
  const BruteCase& c = GetParam();
  Library library = MakeLibrary(c.mainPeriods, c.artificialFrom);
  if (library.candidates.empty()) GTEST_SKIP() << "El Centro test record missing";
  library.settings.count = c.count;
  library.settings.required = c.required;
  library.settings.check.tolerance = c.tolerance;
  library.settings.alternatives = 3;
  const SelectionResult result = SelectRecords(library.candidates, kDesign, library.settings);
  ASSERT_TRUE(result.proven);
  EXPECT_EQ(result.shortCount, 1u);
  EXPECT_EQ(result.scaleCount, 1u);

  std::vector<std::size_t> eligible;
  for (std::size_t i = 0; i < 14; ++i) eligible.push_back(i);
  const std::vector<Brute> all = AllSets(library, eligible);
  ASSERT_EQ(result.sets.size(), 4u);
  for (std::size_t k = 0; k < result.sets.size(); ++k) {
    const SelectedSet& set = result.sets[k];
    const Brute mine = Score(library, set.members);
    EXPECT_EQ(set.passes, mine.passes) << k;
    EXPECT_EQ(set.passes, all[k].passes) << k;
    EXPECT_NEAR(set.bandRms, mine.rms, 1e-12) << k;
    EXPECT_NEAR(set.bandRms, all[k].rms, 1e-12) << k;
    EXPECT_NEAR(set.worstMainDeviation, mine.worst, 1e-12) << k;
    for (const std::size_t r : c.required) {
      EXPECT_NE(std::find(set.members.begin(), set.members.end(), r), set.members.end());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, SelectionBruteForceTest,
    ::testing::Values(BruteCase{"three_of_real_ones", {0.5, 1.0}, 3, 16, {}, 0.2},
                      BruteCase{"seven_with_artificial", {0.4, 0.9}, 7, 10, {}, 0.2},
                      BruteCase{"seven_with_required", {0.4, 0.9}, 7, 11, {3, 12}, 0.2},
                      BruteCase{"three_with_required_artificial", {0.5, 1.0}, 3, 12, {13}, 0.3},
                      BruteCase{"none_passes", {0.5, 1.0}, 7, 14, {}, 0.001}),
    [](const auto& info) { return std::string(info.param.what); });

// Candidates with made-up spectra: flat ones at a level around the design value.
std::vector<CandidateSpectrum> Flat(const SelectionSettings& s, std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> level(0.5, 1.5);
  std::vector<CandidateSpectrum> candidates;
  for (std::size_t i = 0; i < n; ++i) {
    CandidateSpectrum c{"c" + std::to_string(i), i % 4 != 3, 0.3, 1, 30, {}};
    const double a = level(random), b = level(random);
    for (const double t : SelectionPeriods(s)) {
      double sa = 0;
      kDesign.GetSa(t, sa);
      c.psa.push_back(sa * (a + (b - a) * t / 6));
    }
    candidates.push_back(std::move(c));
  }
  return candidates;
}

SelectionSettings FlatSettings() {
  SelectionSettings s;
  s.check.periods = {0.5, 1.0};
  s.bandPeriods = ShapeBandPeriods(DefaultShapeBand(s.check.periods));
  return s;
}

TEST(SelectionSearchTest, BeyondEnumerationTheBestFoundIsAboveTheBound) {
  SelectionSettings s = FlatSettings();
  s.timeLimit = 0.3;
  s.required = {5};
  const std::vector<CandidateSpectrum> candidates = Flat(s, 40, 7);
  const SelectionResult result = SelectRecords(candidates, kDesign, s);
  EXPECT_FALSE(result.proven);
  EXPECT_EQ(result.setCount, 3262623.0);  // 6 of the other 39
  EXPECT_GT(result.starts, 0u);
  ASSERT_TRUE(result.bandRmsBound);
  ASSERT_EQ(result.sets.size(), 6u);
  EXPECT_TRUE(result.sets[0].passes);
  EXPECT_LE(*result.bandRmsBound, result.sets[0].bandRms);
  for (std::size_t k = 1; k < result.sets.size(); ++k) {
    EXPECT_LE(result.sets[k - 1].bandRms, result.sets[k].bandRms);
    EXPECT_NE(result.sets[k - 1].members, result.sets[k].members);
  }
}

struct RefusedCase {
  const char* what;
  std::size_t count;
  std::vector<std::size_t> required;
  std::size_t shortFrom;  // candidates from here on last 2 s
  std::string message;
};

class SelectionRefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(SelectionRefusedTest, SaysWhy) {
  const RefusedCase& c = GetParam();
  SelectionSettings s = FlatSettings();
  s.count = c.count;
  s.required = c.required;
  std::vector<CandidateSpectrum> candidates = Flat(s, 8, 1);
  for (std::size_t i = c.shortFrom; i < candidates.size(); ++i) candidates[i].effectiveDuration = 2;
  try {
    SelectRecords(candidates, kDesign, s);
    FAIL() << "accepted";
  } catch (const std::invalid_argument& error) {
    EXPECT_EQ(error.what(), c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SelectionRefusedTest,
    ::testing::Values(
        RefusedCase{"required_left_out",
                    3,
                    {6},
                    6,
                    "The required record c6 is left out: its effective duration 2 s is below "
                    "5 s (5 T1)."},
        RefusedCase{"too_few_left",
                    7,
                    {},
                    4,
                    "4 of the 8 records remain (4 left out for an effective duration below 5 "
                    "T1, 0 for a scale factor outside the scale band): too few for a set of 7."},
        RefusedCase{"no_record", 0, {}, 8, "The set needs at least one record."},
        RefusedCase{"required_twice", 3, {1, 1}, 8, "The record c1 is required twice."}),
    [](const auto& info) { return std::string(info.param.what); });

struct BandCase {
  std::vector<double> mainPeriods;
  double low, high;
};

TEST(ShapeBandTest, RoundedAndKeptWithinTheGrid) {
  for (const BandCase& c : std::vector<BandCase>{{{0.5, 1.6}, 0.1, 2.4},
                                                 {{1.6, 0.5}, 0.1, 2.4},
                                                 {{0.12}, 0.05, 0.18},
                                                 {{5.0}, 1.0, 6.0},
                                                 {{0.333}, 0.07, 0.5}}) {
    const ShapeBand band = DefaultShapeBand(c.mainPeriods);
    EXPECT_DOUBLE_EQ(band.low, c.low);
    EXPECT_DOUBLE_EQ(band.high, c.high);
  }
  const std::vector<double> periods = ShapeBandPeriods({0.3, 0.5});
  ASSERT_EQ(periods.size(), 21u);  // on the chart's grid, both ends included
  for (std::size_t i = 0; i < periods.size(); ++i) {
    EXPECT_EQ(periods[i], FinePeriod(static_cast<std::int32_t>(30 + i)));
  }
  for (const ShapeBand& refused :
       {ShapeBand{0, 1}, ShapeBand{1, 0.5}, ShapeBand{0.101, 0.109}, ShapeBand{1, 7}}) {
    EXPECT_THROW(ShapeBandPeriods(refused), std::invalid_argument);
  }
}

TEST(ParallelForTest, ReportsTheFirstFailureInOrder) {
  try {
    ParallelFor(200, 2, [](std::size_t i) {
      if (i % 50 == 7) throw std::runtime_error(std::to_string(i));
    });
    FAIL() << "no failure";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "7");
  }
  std::atomic<std::size_t> ran{0};
  EXPECT_FALSE(ParallelFor(
      1000, 2,
      [&](std::size_t) {
        ++ran;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      },
      [](std::size_t) { return false; }));
  EXPECT_LT(ran.load(), 1000u);
}

}  // namespace
