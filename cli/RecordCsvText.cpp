// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RecordCsvText.h"

#include "cli/ShortestText.h"
#include "model/CsvText.h"

namespace {

struct Quantity {
  const char* heading;
  std::vector<double> ResponseSpectrum::*values;
};

constexpr Quantity kQuantities[] = {
    {" PSA(g)", &ResponseSpectrum::psa},
    {" SA(g)", &ResponseSpectrum::sa},
    {" SD(m)", &ResponseSpectrum::sd},
    {" PSV(m/s)", &ResponseSpectrum::psv},
};

}  // namespace

std::string BuildRecordCsvText(const std::vector<ResponseSpectrum>& spectra, bool all) {
  const std::size_t quantities = all ? std::size(kQuantities) : 1;
  std::string text = "T(s)";
  for (const ResponseSpectrum& spectrum : spectra) {
    for (std::size_t q = 0; q < quantities; ++q) {
      text.push_back(',');
      AppendCsvField(text, spectrum.name + kQuantities[q].heading);
    }
  }
  text.append("\r\n");
  const std::size_t periods = spectra.empty() ? 0 : spectra.front().periods.size();
  for (std::size_t i = 0; i < periods; ++i) {
    AppendShortest(text, spectra.front().periods[i]);
    for (const ResponseSpectrum& spectrum : spectra) {
      for (std::size_t q = 0; q < quantities; ++q) {
        text.push_back(',');
        AppendShortest(text, (spectrum.*kQuantities[q].values)[i]);
      }
    }
    text.append("\r\n");
  }
  return text;
}
