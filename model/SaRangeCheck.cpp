// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SaRangeCheck.h"

#include "model/DesignSpectrum.h"
#include "model/NumberText.h"

void CheckSaRange(const DesignSpectrum& spectrum) {
  double sa = 0;
  const std::int32_t fineCount = FinePeriodCount();
  for (std::int32_t i = 0; i < fineCount; ++i) spectrum.GetSa(FinePeriod(i), sa);
  for (std::int32_t m = 0; m < kCoarsePeriodCount; ++m) spectrum.GetSa(CoarsePeriod(m), sa);
}
