#include "ui/windows/RecordCheckGroup.h"

#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>
#include <vector>

#include "records/CheckTableText.h"
#include "ui/widgets/CheckTable.h"
#include "ui/windows/WindowControls.h"

namespace {

const QColor kPassText(0x00, 0x61, 0x00);
const QColor kFailText(0x9C, 0x00, 0x06);

// The verdict in words: pass or fail with the reasons, which period is T1, what the set's size
// allows, and the records scaled outside the band.
QString VerdictText(const CheckResult& check, const std::string& separator) {
  QString text;
  if (check.passes) {
    text = QStringLiteral("Pass: the record set matches the design spectrum.");
  } else {
    QStringList reasons;
    for (const std::string& reason : CheckFailureReasons(check, separator)) {
      reasons << QString::fromStdString(reason);
    }
    text = QStringLiteral("Fail: ") + reasons.join(QStringLiteral("; ")) + QStringLiteral(".");
  }
  text += QStringLiteral(" T1 = %1 s, the longest main period; %2.")
              .arg(GeneralText(check.fundamentalPeriod, separator),
                   QString::fromStdString(SetRuleText(check.setRule)));
  const std::string warning = ScaleWarningText(check, separator);
  if (!warning.empty()) {
    text += QStringLiteral("\nWarning: ") + QString::fromStdString(warning) + QStringLiteral(".");
  }
  return text;
}

}  // namespace

RecordCheckGroup::RecordCheckGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("Compatibility Check"), parent) {
  auto* layout = new QVBoxLayout(this);
  grdCheck = new CheckTable(this);
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
                                                  const RecordSet& records,
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
  if (records.Empty()) {
    say(QStringLiteral("No record to check: add ground motion records."));
    return std::nullopt;
  }
  if (const RecordEntry* failed = records.FirstFailed()) {
    say(QStringLiteral("The spectra of \"%1\" could not be computed: remove the record.")
            .arg(QString::fromStdString(failed->motion->name)));
    return std::nullopt;
  }
  const std::optional<std::vector<CheckRecord>> set = records.CheckSet();
  if (!set) {
    say(QStringLiteral("Computing the records' spectra..."));
    return std::nullopt;
  }
  CheckResult check =
      CheckCompatibility(*set, *design, {inputs.periods, inputs.tolerance, inputs.scaleBand});
  grdCheck->ShowResult(check, separator);
  palette.setColor(QPalette::WindowText, check.passes ? kPassText : kFailText);
  say(VerdictText(check, separator));
  return check;
}
