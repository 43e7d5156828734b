// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/ReportSettingsRows.h"

#include <QStringList>
#include <cmath>

#include "model/CodeTables.h"
#include "model/NumberText.h"
#include "records/RecordScaling.h"

namespace {

constexpr double kRareTgIncrease = 0.05;  // s, for rare earthquakes

QString Text(const char* utf8) { return QString::fromUtf8(utf8).simplified(); }
QString General(double value, std::string_view separator) {
  return QString::fromStdString(FormatGeneral(value, separator));
}
bool Same(double a, double b) { return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b)); }

QString IntensityAndAction(double alphaMax) {
  QStringList found;
  for (int i = 0; i < static_cast<int>(IntensityNames().size()); ++i) {
    for (int a = 0; a < static_cast<int>(ActionNames().size()); ++a) {
      if (Same(DefaultAlphaMax(i, a), alphaMax)) {
        found << Text(IntensityNames()[i]) + QStringLiteral(", ") + Text(ActionNames()[a]);
      }
    }
  }
  return found.isEmpty() ? QStringLiteral("not from the code table (AlphaMax typed)")
                         : found.join(QStringLiteral(" or "));
}

QString SiteClassAndGroup(double tg) {
  QStringList found;
  for (int s = 0; s < static_cast<int>(SiteClassNames().size()); ++s) {
    for (int g = 0; g < static_cast<int>(GroupNames().size()); ++g) {
      const std::optional<double> table = DefaultTg(s, g);
      if (!table) continue;
      const QString pair = Text(SiteClassNames()[s]) + QStringLiteral(", ") + Text(GroupNames()[g]);
      if (Same(*table, tg)) found << pair;
      if (Same(*table + kRareTgIncrease, tg))
        found << pair + QStringLiteral(" (rare: Tg + 0.05 s)");
    }
  }
  return found.isEmpty() ? QStringLiteral("not from the code table (Tg typed)")
                         : found.join(QStringLiteral(" or "));
}

QString Target(const RecordInputs& inputs, std::string_view separator) {
  const std::optional<double> gal = inputs.TargetGal();
  switch (inputs.target) {
    case TargetKind::CodeTable:
      return General(*gal, separator) +
             QStringLiteral(" cm/s², code table for time-history analysis: ") +
             Text(IntensityNames()[inputs.intensity]) + QStringLiteral(", ") +
             Text(ActionNames()[inputs.action]);
    case TargetKind::Typed:
      return General(*gal, separator) + QStringLiteral(" cm/s², typed by the user");
    case TargetKind::None:
      break;
  }
  return QStringLiteral("none: the records are used as read (scale factor 1)");
}

}  // namespace

std::vector<std::pair<QString, QString>> ReportSettingsRows(const DesignSpectrum& design,
                                                            const RecordInputs& inputs,
                                                            std::string_view separator) {
  return {
      {QStringLiteral("Design spectrum"), QString::fromStdString(design.name)},
      {QStringLiteral("Code"), QString::fromStdString(design.GetCodeName())},
      {QStringLiteral("Intensity, action"), IntensityAndAction(design.alphaMax)},
      {QStringLiteral("Site class, group"), SiteClassAndGroup(design.tg)},
      {QStringLiteral("AlphaMax"), General(design.alphaMax, separator) + QStringLiteral(" g")},
      {QStringLiteral("Tg"), General(design.tg, separator) + QStringLiteral(" s")},
      {QStringLiteral("Damping (design)"), General(design.damping, separator)},
      {QStringLiteral("Damping (records)"), General(inputs.damping, separator)},
      {QStringLiteral("Target PGA"), Target(inputs, separator)},
  };
}
