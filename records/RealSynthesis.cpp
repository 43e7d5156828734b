// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RealSynthesis.h"

#include <fftw3.h>

#include <algorithm>
#include <mutex>
#include <new>

namespace {

// FFTW's planner is not thread-safe; its plans run on any thread.
std::mutex& PlannerMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

RealSynthesis::RealSynthesis(std::size_t length) : length_(length) {
  series_ = fftw_alloc_real(length);
  fftw_complex* spectrum = fftw_alloc_complex(length / 2 + 1);
  spectrum_ = spectrum;
  if (series_ == nullptr || spectrum == nullptr) {
    fftw_free(series_);
    fftw_free(spectrum);
    throw std::bad_alloc();
  }
  {
    // Estimated, not measured: the plan must not depend on how busy the machine is.
    const std::lock_guard lock(PlannerMutex());
    plan_ = fftw_plan_dft_c2r_1d(static_cast<int>(length), spectrum, series_, FFTW_ESTIMATE);
  }
  if (plan_ == nullptr) {
    fftw_free(series_);
    fftw_free(spectrum);
    throw std::bad_alloc();
  }
}

RealSynthesis::~RealSynthesis() {
  {
    const std::lock_guard lock(PlannerMutex());
    fftw_destroy_plan(static_cast<fftw_plan>(plan_));
  }
  fftw_free(series_);
  fftw_free(spectrum_);
}

std::vector<double> RealSynthesis::Series(const std::vector<std::complex<double>>& halfSpectrum) {
  auto* spectrum = static_cast<fftw_complex*>(spectrum_);
  const std::size_t count = length_ / 2 + 1;
  for (std::size_t j = 0; j < count; ++j) {
    const std::complex<double> c = j < halfSpectrum.size() ? halfSpectrum[j] : 0.0;
    spectrum[j][0] = c.real();
    spectrum[j][1] = c.imag();
  }
  fftw_execute(static_cast<fftw_plan>(plan_));
  return std::vector<double>(series_, series_ + length_);
}
