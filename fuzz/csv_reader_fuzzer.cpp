// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the batch reader (and the spectra it describes) and to the Save Data
// reader. Either may refuse the bytes, but only with a CliError whose message names the file;
// any other exception, crash or sanitizer report is a fault. The first byte picks the decimal
// separator of the batch's numbers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/BatchFile.h"
#include "cli/CliError.h"
#include "cli/SavedDataFile.h"
#include "cli/SpectrumBuilder.h"
#include "model/SpectrumList.h"

namespace {

constexpr std::string_view kFile = "fuzz.csv";

void ExpectClearMessage(const CliError& error, ExitCode code) {
  const std::string_view message = error.what();
  if (error.code() != code || message.substr(0, kFile.size()) != kFile ||
      message.size() <= kFile.size() + 2) {
    std::fprintf(stderr, "unclear refusal (code %d): %s\n", static_cast<int>(error.code()),
                 error.what());
    std::abort();
  }
}

void ReadAsBatch(std::string_view bytes, const std::string& separator) {
  try {
    SpectrumList spectra;
    const SpectrumBuilder builder({}, separator);
    std::size_t number = 0;
    for (const BatchRow& row : ReadBatch(bytes, kFile)) {
      const RequestPlace place{std::string(kFile) + ":" + std::to_string(row.line) + ": ", true,
                               ++number};
      builder.Add(row.request, place, spectra);
    }
  } catch (const CliError& error) {
    ExpectClearMessage(error, kExitUsage);
  }
}

void ReadAsSavedData(std::string_view bytes) {
  try {
    ReadSavedData(bytes, kFile);
  } catch (const CliError& error) {
    ExpectClearMessage(error, kExitFailure);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string separator = data[0] % 2 == 0 ? "." : ",";
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  ReadAsBatch(bytes, separator);
  ReadAsSavedData(bytes);
  return 0;
}
