// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/DesignSpectrum.h"

#include <cmath>
#include <utility>

#include "model/ExtendedPower.h"
#include "model/NumberText.h"
#include "model/Warning.h"

namespace {

// Decimal constants are the doubles nearest to them, widened without change.
using Ext = long double;

constexpr Ext D(double value) { return value; }

// The rising line multiplies by the reciprocal of the double 0.1 instead of dividing.
const Ext kInverseTenth = 1.0L / D(0.1);

}  // namespace

DesignSpectrum::DesignSpectrum(std::string name_, double alphaMax_, double tg_, double damping_,
                               std::int32_t codeType_)
    : codeType(codeType_), name(std::move(name_)), alphaMax(alphaMax_), tg(tg_), damping(damping_) {
  if (codeType == 0 || codeType == 1) {
    UpdateCoefficients();
  } else {
    // The edition asked for is kept; the coefficients stay 0 since no column of the code fits.
    ShowWarning("Wrong codetype : " + std::to_string(codeType) + ".");
  }
}

DesignSpectrum::~DesignSpectrum() = default;

void DesignSpectrum::UpdateCoefficients() {
  const Ext zeta = damping;
  const Ext excess = D(0.05) - zeta;
  if (codeType == 0) {
    gamma = static_cast<double>(D(0.9) + excess / (D(0.3) + 6 * zeta));
    eta1 = static_cast<double>(D(0.02) + excess / (4 + 32 * zeta));
    if (eta1 < 0) eta1 = +0.0;
    eta2 = static_cast<double>(1 + excess / (D(0.08) + D(1.6) * zeta));
  } else {
    gamma = static_cast<double>(D(0.9) + excess / (D(0.5) + 5 * zeta));
    eta1 = static_cast<double>(D(0.02) + excess * 0.125L);
    if (eta1 < 0) eta1 = +0.0;
    eta2 = static_cast<double>(1 + excess / (D(0.06) + D(1.7) * zeta));
  }
  if (eta2 < 0.55) eta2 = 0.55;
  fifthPowerGamma_ = std::pow(D(0.2), static_cast<Ext>(gamma));
}

std::int32_t DesignSpectrum::GetSa(double T, double& result) const {
  if (!(T >= 0 && T <= 6)) {
    ShowWarning("Period is larger than 6.0s.");
    return -1;
  }
  const Ext period = T;
  const Ext amax = alphaMax;
  const Ext fiveTg = 5 * static_cast<Ext>(tg);
  Ext sa;
  if (T <= 0.1) {
    const Ext start = D(0.45) * amax;
    sa = (eta2 * amax - start) * period * kInverseTenth + start;
  } else if (T <= tg) {
    sa = eta2 * amax;
  } else if (period <= fiveTg) {
    const Ext ratio = static_cast<double>(tg / period);
    const Ext exponent = gamma;
    const PowerEstimate quick = EstimatePower(ratio, exponent);
    sa = quick.value * eta2 * amax;
    // The two products may round differently from the same products of powl's value.
    if (!RoundsToSameDouble(sa, quick.relativeError + 0x1p-61L)) {
      sa = std::pow(ratio, exponent) * eta2 * amax;
    }
  } else {
    sa = (eta2 * fifthPowerGamma_ - eta1 * (period - fiveTg)) * amax;
  }
  result = ToDouble(sa);  // beyond the double range: a floating-point overflow
  return 0;
}

std::string DesignSpectrum::GetCodeName() const {
  return codeType == 0 ? "GB 50011-2010" : "GB 50011-2001";
}
