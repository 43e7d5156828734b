// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/PlainMath.h"

#include <cmath>

namespace {

// ln 2 and pi / 2 split so that a whole multiple of the first part is exact.
constexpr double kLn2High = 0x1.62e42fee00000p-1;
constexpr double kLn2Low = 0x1.a39ef35793c76p-33;
constexpr double kSqrtHalf = 0x1.6a09e667f3bcdp-1;
constexpr double kHalfPiHigh = 0x1.921fb54400000p0;
constexpr double kHalfPiMid = 0x1.0b4611a600000p-34;
constexpr double kHalfPiLow = 0x1.3198a2e037073p-69;

// Taylor series of sin and cos for |r| <= pi / 4, by Horner's rule.
double SinSeries(double r) {
  const double r2 = r * r;
  double sum = 0;
  for (int n = 21; n >= 3; n -= 2) sum = (sum + 1) * r2 / (-static_cast<double>(n * (n - 1)));
  return r + r * sum;
}

double CosSeries(double r) {
  const double r2 = r * r;
  double sum = 0;
  for (int n = 22; n >= 2; n -= 2) sum = (sum + 1) * r2 / (-static_cast<double>(n * (n - 1)));
  return 1 + sum;
}

// r = x - k pi / 2 with |r| <= pi / 4 and the quadrant k mod 4.
double Reduce(double x, int& quadrant) {
  const double k = std::nearbyint(x / kHalfPiHigh);
  quadrant = static_cast<int>(static_cast<long long>(k) & 3);
  return ((x - k * kHalfPiHigh) - k * kHalfPiMid) - k * kHalfPiLow;
}

}  // namespace

double PlainExp(double x) {
  const double k = std::nearbyint(x / kLn2High);
  const double r = (x - k * kLn2High) - k * kLn2Low;
  double sum = 1;
  for (int n = 14; n >= 1; --n) sum = 1 + sum * r / n;
  return std::ldexp(sum, static_cast<int>(k));
}

double PlainLog(double x) {
  int exponent = 0;
  double m = std::frexp(x, &exponent);  // x = m 2^exponent, 0.5 <= m < 1
  if (m < kSqrtHalf) {
    m *= 2;
    --exponent;
  }
  // log m = 2 atanh(z) with |z| <= 0.172.
  const double z = (m - 1) / (m + 1);
  const double z2 = z * z;
  double sum = 0;
  for (int n = 27; n >= 3; n -= 2) sum = (sum + 1.0 / n) * z2;
  const double k = exponent;
  return (k * kLn2High + (2 * z + 2 * z * sum)) + k * kLn2Low;
}

double PlainCos(double x) {
  int quadrant = 0;
  const double r = Reduce(x, quadrant);
  switch (quadrant) {
    case 0:
      return CosSeries(r);
    case 1:
      return -SinSeries(r);
    case 2:
      return -CosSeries(r);
    default:
      return SinSeries(r);
  }
}

double PlainSin(double x) {
  int quadrant = 0;
  const double r = Reduce(x, quadrant);
  switch (quadrant) {
    case 0:
      return SinSeries(r);
    case 1:
      return CosSeries(r);
    case 2:
      return -SinSeries(r);
    default:
      return -CosSeries(r);
  }
}
