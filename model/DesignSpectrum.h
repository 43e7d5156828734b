// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// One named elastic design acceleration response spectrum after GB 50011 (2010 or 2001).
// Unchanged after construction; computes in 80-bit extended precision and rounds to double
// where a value is stored.
class DesignSpectrum {
 public:
  DesignSpectrum(std::string name, double alphaMax, double tg, double damping,
                 std::int32_t codeType);
  virtual ~DesignSpectrum();

  // Computes gamma, eta1 and eta2 from damping and codeType. Called once, by the constructor.
  void UpdateCoefficients();

  // Sa(T) in g for 0 <= T <= 6 s: returns 0 and writes result. Otherwise warns
  // "Period is larger than 6.0s.", leaves result untouched and returns -1. A Sa beyond the
  // double range throws std::overflow_error "Floating point overflow".
  std::int32_t GetSa(double T, double& result) const;

  // "GB 50011-2010" for codeType 0, "GB 50011-2001" for every other value.
  std::string GetCodeName() const;

  std::int32_t codeType = 0;
  std::string name;
  double alphaMax = 0;
  double tg = 0;
  double damping = 0;
  double gamma = 0;
  double eta1 = 0;
  double eta2 = 0;

 private:
  // 0.2^gamma in extended precision, the start of the straight descent; set with gamma.
  long double fifthPowerGamma_ = 1;
};
