// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <complex>
#include <cstddef>
#include <vector>

// The real series of a given length from its half spectrum (n / 2 + 1 complex coefficients),
// by FFTW's inverse real transform: x[k] = sum over the full spectrum of c[j] exp(2 pi i j k / n).
class RealSynthesis {
 public:
  explicit RealSynthesis(std::size_t length);
  ~RealSynthesis();
  RealSynthesis(const RealSynthesis&) = delete;
  RealSynthesis& operator=(const RealSynthesis&) = delete;

  std::size_t length() const { return length_; }
  std::vector<double> Series(const std::vector<std::complex<double>>& halfSpectrum);

 private:
  std::size_t length_;
  double* series_;
  void* spectrum_;  // fftw_complex[length / 2 + 1]
  void* plan_;
};
