// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TxtText.h"

#include "cli/ShortestText.h"
#include "model/DesignSpectrum.h"

namespace {

void AppendComment(std::string& text, const char* title, double value) {
  text.append("$ ").append(title).append(": ");
  AppendShortest(text, value);
  text.push_back('\n');
}

}  // namespace

std::string BuildTxtText(const DesignSpectrum& spectrum, std::span<const double> periods) {
  std::string text;
  text.reserve(200 + periods.size() * 32);
  text.append("$ Tremvale design response spectrum\n");
  text.append("$ Name: ").append(spectrum.name).push_back('\n');
  text.append("$ Code: ").append(spectrum.GetCodeName()).push_back('\n');
  AppendComment(text, "AlphaMax", spectrum.alphaMax);
  AppendComment(text, "Tg(s)", spectrum.tg);
  AppendComment(text, "DampingRatio", spectrum.damping);
  text.append("$ T(s) Sa(g)\n");
  for (const double period : periods) {
    double sa = 0;
    spectrum.GetSa(period, sa);  // the periods lie within 0..6 s
    AppendShortest(text, period);
    text.push_back(' ');
    AppendShortest(text, sa);
    text.push_back('\n');
  }
  return text;
}
