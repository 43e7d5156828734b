// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CsvText.h"

#include <string_view>
#include <vector>

#include "model/NumberText.h"
#include "model/SpectrumList.h"
#include "model/SpectrumSampling.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Pattern texts need quotes only when the decimal separator is a comma or a quote.
void AppendPatternField(std::string& out, NumberPattern pattern, double value,
                        std::string_view separator, bool quoted) {
  if (quoted) {
    AppendCsvField(out, FormatPattern(pattern, value, separator));
  } else {
    AppendPattern(out, pattern, value, separator);
  }
}

}  // namespace

// A field that holds ",", '"', CR or LF is put in quotes with inner quotes doubled, so names
// with commas or line breaks and numbers written with a "," separator keep their columns and
// rows.
bool CsvFieldNeedsQuotes(std::string_view field) {
  for (const char c : field) {
    if (c == ',' || c == '"' || c == '\r' || c == '\n') return true;
  }
  return false;
}

void AppendCsvField(std::string& out, std::string_view field) {
  if (!CsvFieldNeedsQuotes(field)) {
    out.append(field);
    return;
  }
  out.push_back('"');
  for (const char c : field) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

std::string BuildCsvText(const SpectrumList& spectra, std::string_view separator) {
  const std::size_t n = spectra.Size();
  const std::int32_t periods = FinePeriodCount();

  std::size_t namesLength = 0;
  for (const auto& spectrum : spectra) namesLength += spectrum->name.size();
  // A data cell is at most 12 characters and a comma; a wide separator or quotes add a few.
  const std::size_t separatorExtra = separator.size() + 2;
  const bool quoteNumbers = CsvFieldNeedsQuotes(separator);
  std::string out;
  out.reserve(128 + 2 * namesLength + n * 96 +
              static_cast<std::size_t>(periods) * (8 + separatorExtra + n * (14 + separatorExtra)));

  out.append("ResponseName,DesignCode,Alphamax,Tg(s),DampingRatio").append(kLineEnd);
  for (const auto& spectrum : spectra) {
    AppendCsvField(out, spectrum->name);
    out.push_back(',');
    AppendCsvField(out, spectrum->GetCodeName());
    out.push_back(',');
    AppendCsvField(out, FormatGeneral(spectrum->alphaMax, separator));
    out.push_back(',');
    AppendCsvField(out, FormatGeneral(spectrum->tg, separator));
    out.push_back(',');
    AppendCsvField(out, FormatGeneral(spectrum->damping, separator));
    out.append(kLineEnd);
  }
  out.append(kLineEnd);

  out.push_back(',');
  for (const auto& spectrum : spectra) {
    AppendCsvField(out, spectrum->name);
    out.push_back(',');
  }
  out.append(kLineEnd);

  out.append("Period(s),");
  for (std::size_t k = 0; k < n; ++k) out.append("Sa(g),");
  out.append(kLineEnd);

  std::vector<std::vector<double>> samples;
  samples.reserve(n);
  for (const auto& spectrum : spectra)
    samples.push_back(SampleSpectrum(*spectrum, periods, FinePeriod));
  for (std::int32_t i = 0; i < periods; ++i) {
    const auto row = static_cast<std::size_t>(i);
    AppendPatternField(out, NumberPattern::TwoDecimals, FinePeriod(i), separator, quoteNumbers);
    out.push_back(',');
    for (const std::vector<double>& sa : samples) {
      // Every period of the fine grid lies within 0..6 s, where GetSa always succeeds; 0 would
      // stand for a value it refused.
      AppendPatternField(out, NumberPattern::Scientific, row < sa.size() ? sa[row] : 0, separator,
                         quoteNumbers);
      out.push_back(',');
    }
    out.append(kLineEnd);
  }
  return out;
}
