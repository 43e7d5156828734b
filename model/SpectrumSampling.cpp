// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SpectrumSampling.h"

#include "model/DesignSpectrum.h"

std::vector<double> SampleSpectrum(const DesignSpectrum& spectrum, std::int32_t count,
                                   double (*period)(std::int32_t)) {
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  for (std::int32_t i = 0; i < count; ++i) {
    double sa = 0;
    if (spectrum.GetSa(period(i), sa) < 0) break;
    values.push_back(sa);
  }
  return values;
}
