// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/RecordCheckGroup.h"

#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>
#include <vector>

#include "model/NumberText.h"
#include "records/CheckTableText.h"
#include "ui/widgets/CheckTable.h"
#include "ui/widgets/FrozenColumns.h"
#include "ui/windows/WindowControls.h"

namespace {

const QColor kPassText(0x00, 0x61, 0x00);
const QColor kFailText(0x9C, 0x00, 0x06);

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// The verdict, what the set's size lets the results be used for, and the records scaled
// outside the band.
QString VerdictText(const CheckResult& check, const std::string& separator) {
  QString text;
  if (check.passes) {
    text =
        QStringLiteral(
            "Pass: the record set matches the design spectrum at T1 = %1 s and the "
            "other main periods; %2.")
            .arg(GeneralText(check.fundamentalPeriod, separator), Text(SetRuleText(check.setRule)));
  } else {
    QStringList reasons;
    for (const std::string& reason : CheckFailureReasons(check, separator)) reasons << Text(reason);
    text = QStringLiteral("Fail: ") + reasons.join(QStringLiteral("; ")) +
           QStringLiteral(". T1 = %1 s, the longest main period.")
               .arg(GeneralText(check.fundamentalPeriod, separator));
  }
  const std::string warning = ScaleWarningText(check, separator);
  if (!warning.empty()) text += QStringLiteral("\nWarning: ") + Text(warning) + QStringLiteral(".");
  return text;
}

}  // namespace

RecordCheckGroup::RecordCheckGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("Compatibility Check"), parent) {
  auto* layout = new QVBoxLayout(this);
  grdCheck = new CheckTable(this);
  // The summary (period, mean, design, deviation, result) stays in view however many records.
  grdSummary = new FrozenColumns(*grdCheck, CheckTable::FirstRecord);
  lblVerdict = PlainLabel(QString(), this);
  lblVerdict->setWordWrap(true);
  QFont bold = lblVerdict->font();
  bold.setBold(true);
  lblVerdict->setFont(bold);
  layout->addWidget(grdCheck, 1);
  layout->addWidget(lblVerdict);
}

std::optional<CheckResult> RecordCheckGroup::Show(const RecordInputs& inputs,
                                                  const DesignSpectrum* design,
                                                  const RecordSet& records, bool stale,
                                                  const std::string& separator) {
  grdCheck->ClearResult();
  QPalette palette = lblVerdict->palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  const auto say = [&](const QString& text) {
    lblVerdict->setPalette(palette);
    lblVerdict->setText(text);
  };
  if (inputs.design.empty() || inputs.periods.empty()) {
    say(QStringLiteral("Pick the design spectrum, type the main periods and press Check."));
    return std::nullopt;
  }
  if (design == nullptr) {
    say(QStringLiteral("The design spectrum \"%1\" has been deleted: pick another one and press "
                       "Check.")
            .arg(QString::fromStdString(inputs.design)));
    return std::nullopt;
  }
  if (stale) {
    say(
        QStringLiteral("The settings have changed: press Enter or Check to check the records "
                       "with them."));
    return std::nullopt;
  }
  if (records.Empty()) {
    say(QStringLiteral("No record to check: add ground motion records."));
    return std::nullopt;
  }
  if (const RecordEntry* failed = records.FirstFailed()) {
    say(QStringLiteral("The spectra of \"%1\" could not be computed: %2 Remove the record.")
            .arg(QString::fromStdString(failed->motion->name), failed->failure));
    return std::nullopt;
  }
  const std::optional<std::vector<CheckRecord>> set = records.CheckSet();
  if (!set) {
    say(QStringLiteral("Computing the records' spectra..."));
    return std::nullopt;
  }
  CheckResult check = CheckCompatibility(*set, *design, inputs.Settings());
  grdCheck->ShowResult(check, separator);
  palette.setColor(QPalette::WindowText, check.passes ? kPassText : kFailText);
  say(VerdictText(check, separator));
  return check;
}
