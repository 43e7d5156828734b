// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SpectrumSampling.h"

#include "model/DesignSpectrum.h"
#include "tests/model/ModelFixture.h"

namespace {

class SpectrumSamplingTest : public ModelFixture {
 protected:
  DesignSpectrum spectrum{"S", 0.08, 0.35, 0.05, 0};
};

TEST_F(SpectrumSamplingTest, FineGridGivesGetSaAtEveryPeriod) {
  const std::vector<double> values = SampleSpectrum(spectrum, FinePeriodCount(), FinePeriod);
  ASSERT_EQ(values.size(), 601u);
  for (std::int32_t i = 0; i < 601; ++i) {
    double sa = -1;
    ASSERT_EQ(spectrum.GetSa(FinePeriod(i), sa), 0);
    EXPECT_EQ(values[static_cast<std::size_t>(i)], sa) << i;
  }
  EXPECT_TRUE(warnings.empty());
}

TEST_F(SpectrumSamplingTest, StopsAtTheFirstRefusedPeriodAfterItsWarning) {
  const auto wholeSeconds = [](std::int32_t i) { return static_cast<double>(i); };
  const std::vector<double> values = SampleSpectrum(spectrum, 9, wholeSeconds);
  EXPECT_EQ(values.size(), 7u);  // 0 to 6 s
  EXPECT_EQ(warnings, std::vector<std::string>{"Period is larger than 6.0s."});
  EXPECT_TRUE(SampleSpectrum(spectrum, 0, wholeSeconds).empty());
}

}  // namespace
