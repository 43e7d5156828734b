// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/BatchText.h"

#include "cli/SelectionChoices.h"
#include "model/CsvText.h"
#include "model/NumberText.h"
#include "model/SpectrumList.h"

std::string BuildBatchText(const SpectrumList& spectra, std::string_view separator) {
  std::string text = "name,code,alpha_max,tg,damping\r\n";
  for (const auto& spectrum : spectra) {
    AppendCsvField(text, spectrum->name);
    text.push_back(',');
    text.append(ChoiceText(Column::Code, spectrum->codeType == 0 ? 0 : 1));
    for (const double value : {spectrum->alphaMax, spectrum->tg, spectrum->damping}) {
      text.push_back(',');
      AppendCsvField(text, FormatGeneral(value, separator));
    }
    text.append("\r\n");
  }
  return text;
}
