// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to every record reader. A file is either read whole into a sound record
// or refused with a message that names the file; nothing else may happen. Short sound records
// also go through the spectra, whose crest search must end on any input.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "records/RecordError.h"
#include "records/RecordReader.h"
#include "records/ResponseSpectrum.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
  std::abort();
}

void CheckRecord(const GroundMotion& motion, std::string_view name) {
  if (motion.name != name) Fail("record named otherwise", motion.name);
  if (!(motion.step > 0) || !std::isfinite(motion.step)) Fail("bad step", motion.name);
  if (motion.acceleration.empty()) Fail("record without values", motion.name);
  for (const double a : motion.acceleration) {
    if (!std::isfinite(a)) Fail("value that is not finite", motion.name);
  }
  if (motion.acceleration.size() > 2000 || motion.step > 1 || motion.step < 1e-4) return;
  SpectrumOptions options;
  options.periods = {0, 0.001, 0.02, 0.3, 5};
  const auto spectrum = ComputeSpectrum(motion, options);
  for (const double psa : spectrum->psa) {
    if (std::isnan(psa) || psa < 0) Fail("PSA that is not a magnitude", motion.name);
  }
}

void Read(std::string_view name, std::string_view bytes, const RecordReadOptions& options) {
  try {
    CheckRecord(ReadRecord(name, bytes, options), name);
  } catch (const RecordError& error) {
    const std::string message = error.what();
    if (message.rfind(std::string(name), 0) != 0 || message.size() <= name.size() + 2) {
      Fail("message without the file name or a reason", message);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the unit and the step of one-column records.
  const AccelerationUnit units[] = {AccelerationUnit::G, AccelerationUnit::MetresPerSecondSquared,
                                    AccelerationUnit::Gal};
  const double steps[] = {0.01, 0.005, 0.02, 1e-300};
  const AccelerationUnit unit = units[data[0] % 3];
  const double step = steps[(data[0] / 3) % 4];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  Read("quake.AT2", bytes, {RecordFormat::Automatic, unit, step});
  Read("quake.txt", bytes, {RecordFormat::Automatic, unit, step});
  Read("quake.txt", bytes, {RecordFormat::Automatic, unit, {}});
  Read("quake.dat", bytes, {RecordFormat::TimeAcceleration, unit, {}});
  Read("quake.dat", bytes, {RecordFormat::Acceleration, unit, step});
  return 0;
}
