// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <memory>

#include "ui/platform/SpectrumJobs.h"

namespace {

std::shared_ptr<const GroundMotion> Sine(int points) {
  GroundMotion motion{"sine", 0.01, {}, {}};
  for (int i = 0; i < points; ++i) motion.acceleration.push_back(0.1 * std::sin(i * 0.3));
  return std::make_shared<const GroundMotion>(std::move(motion));
}

class SpectrumJobsTest : public ::testing::Test {
 protected:
  // Collects every delivered result.
  void SetUp() override {
    QObject::connect(&jobs, &SpectrumJobs::finished,
                     [this](const SpectrumJobResult& result) { results.push_back(result); });
  }
  bool WaitUntilIdle() {
    return QTest::qWaitFor([this] { return !jobs.Busy(); }, 60000);
  }

  SpectrumJobs jobs;
  std::vector<SpectrumJobResult> results;
};

TEST_F(SpectrumJobsTest, DeliversSpectraAndCheckEntriesOnTheOwningThread) {
  jobs.Start({1, Sine(500), 0.05, {0.5, 1.0}});
  jobs.Start({2, Sine(300), 0.05, {}});
  ASSERT_TRUE(WaitUntilIdle());
  ASSERT_EQ(results.size(), 2u);
  for (const SpectrumJobResult& result : results) {
    ASSERT_TRUE(result.spectrum.has_value());
    EXPECT_EQ(result.spectrum->psa.size(), 601u);
    EXPECT_EQ(result.check.has_value(), result.id == 1);
  }
  EXPECT_EQ(jobs.Progress(), 1);
}

TEST_F(SpectrumJobsTest, CancelledAndReplacedJobsNeverReport) {
  jobs.Start({1, Sine(20000), 0.05, {}});
  jobs.Start({2, Sine(20000), 0.05, {}});
  jobs.Start({2, Sine(400), 0.1, {}});  // replaces the first job of record 2
  jobs.Cancel(1);
  ASSERT_TRUE(WaitUntilIdle());
  QCoreApplication::processEvents();  // anything still posted by the cancelled workers
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].id, 2);
  EXPECT_EQ(results[0].spectrum->damping, 0.1);
}

TEST_F(SpectrumJobsTest, AFailingComputationReportsItsReason) {
  jobs.Start({1, Sine(100), 1.5, {}});  // no damping ratio of 1 or more
  ASSERT_TRUE(WaitUntilIdle());
  ASSERT_EQ(results.size(), 1u);
  EXPECT_FALSE(results[0].spectrum.has_value());
  EXPECT_EQ(results[0].error, "The damping ratio must be at least 0 and below 1.");
}

TEST(SpectrumJobsEnd, DestroyingWhileWorkersRunIsSafe) {
  auto jobs = std::make_unique<SpectrumJobs>();
  for (int id = 0; id < 6; ++id) jobs->Start({id, Sine(50000), 0.05, {1.0}});
  jobs.reset();
  QCoreApplication::processEvents();
}

}  // namespace
