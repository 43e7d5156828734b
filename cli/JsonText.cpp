// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JsonText.h"

#include <cmath>

#include "cli/ShortestText.h"
#include "model/SpectrumList.h"

namespace {

void AppendString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out.push_back('"');
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (byte < 0x20) {
      out.append("\\u00").push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0xF]);
    } else {
      out.push_back(c);
    }
  }
  out.push_back('"');
}

void AppendNumber(std::string& out, double value) {
  if (std::isfinite(value)) {
    AppendShortest(out, value);
  } else {
    out.append("null");
  }
}

void AppendMember(std::string& out, const char* key, double value) {
  out.append(",\n    \"").append(key).append("\": ");
  AppendNumber(out, value);
}

}  // namespace

std::string BuildJsonText(const SpectrumList& spectra, std::span<const double> periods) {
  std::string out;
  out.reserve(16 + spectra.Size() * (300 + periods.size() * 48));
  out.push_back('[');
  bool first = true;
  for (const auto& spectrum : spectra) {
    out.append(first ? "\n  {\n    \"name\": " : ",\n  {\n    \"name\": ");
    first = false;
    AppendString(out, spectrum->name);
    out.append(",\n    \"code\": ");
    AppendString(out, spectrum->GetCodeName());
    AppendMember(out, "alpha_max", spectrum->alphaMax);
    AppendMember(out, "tg", spectrum->tg);
    AppendMember(out, "damping", spectrum->damping);
    AppendMember(out, "gamma", spectrum->gamma);
    AppendMember(out, "eta1", spectrum->eta1);
    AppendMember(out, "eta2", spectrum->eta2);
    out.append(",\n    \"periods\": [");
    for (std::size_t i = 0; i < periods.size(); ++i) {
      if (i > 0) out.push_back(',');
      AppendNumber(out, periods[i]);
    }
    out.append("],\n    \"sa\": [");
    for (std::size_t i = 0; i < periods.size(); ++i) {
      if (i > 0) out.push_back(',');
      double sa = 0;
      spectrum->GetSa(periods[i], sa);  // the periods lie within 0..6 s
      AppendNumber(out, sa);
    }
    out.append("]\n  }");
  }
  out.append(first ? "]\n" : "\n]\n");
  return out;
}
