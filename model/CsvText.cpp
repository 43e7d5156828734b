#include "CsvText.h"

#include <string_view>

#include "NumberText.h"
#include "SpectrumList.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Pattern texts need quotes only when the decimal separator is a comma or a quote.
void AppendPatternField(std::string& out, NumberPattern pattern, double value, bool quoted) {
  if (quoted) {
    AppendCsvField(out, FormatPattern(pattern, value));
  } else {
    AppendPattern(out, pattern, value);
  }
}

}  // namespace

bool CsvFieldNeedsQuotes(std::string_view field) {
  for (const char c : field) {
    if (c == ',' || c == '"') return true;
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

std::string BuildCsvText(const SpectrumList& spectra) {
  const std::size_t n = spectra.Size();
  const std::int32_t periods = FinePeriodCount();

  std::size_t namesLength = 0;
  for (const auto& spectrum : spectra) namesLength += spectrum->name.size();
  // A data cell is at most 12 characters and a comma; a wide separator or quotes add a few.
  const std::size_t separatorExtra = DecimalSeparator().size() + 2;
  const bool quoteNumbers = CsvFieldNeedsQuotes(DecimalSeparator());
  std::string out;
  out.reserve(128 + 2 * namesLength + n * 96 +
              static_cast<std::size_t>(periods) * (8 + separatorExtra + n * (14 + separatorExtra)));

  out.append("ResponseName,DesignCode,Alphamax,Tg(s),DampingRatio").append(kLineEnd);
  for (const auto& spectrum : spectra) {
    AppendCsvField(out, spectrum->name);
    out.push_back(',');
    AppendCsvField(out, spectrum->GetCodeName());
    out.push_back(',');
    AppendCsvField(out, FormatGeneral(spectrum->alphaMax));
    out.push_back(',');
    AppendCsvField(out, FormatGeneral(spectrum->tg));
    out.push_back(',');
    AppendCsvField(out, FormatGeneral(spectrum->damping));
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

  for (std::int32_t i = 0; i < periods; ++i) {
    const double period = FinePeriod(i);
    AppendPatternField(out, NumberPattern::TwoDecimals, period, quoteNumbers);
    out.push_back(',');
    for (const auto& spectrum : spectra) {
      // Every period of the fine grid lies within 0..6 s, where GetSa always succeeds.
      double sa = 0;
      spectrum->GetSa(period, sa);
      AppendPatternField(out, NumberPattern::Scientific, sa, quoteNumbers);
      out.push_back(',');
    }
    out.append(kLineEnd);
  }
  return out;
}
