#include "ui/windows/RecordCheckGroup.h"

#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>
#include <vector>

#include "ui/widgets/CheckTable.h"
#include "ui/windows/WindowControls.h"

namespace {

const QColor kPassText(0x00, 0x61, 0x00);
const QColor kFailText(0x9C, 0x00, 0x06);

// Why a check failed, in words.
QStringList FailureReasons(const CheckResult& check, double tolerance) {
  QStringList reasons;
  int failing = 0;
  for (const PeriodCheck& period : check.periods) failing += period.passes ? 0 : 1;
  if (failing > 0) {
    reasons << QStringLiteral(
                   "the mean is off the design value by more than %1 % at %2 of %3 "
                   "periods")
                   .arg(GeneralText(tolerance * 100))
                   .arg(failing)
                   .arg(check.periods.size());
  }
  int shortRecords = 0;
  for (const RecordCheck& record : check.records) shortRecords += record.tooShort ? 1 : 0;
  if (shortRecords > 0) {
    reasons << QStringLiteral("%1 record(s) shorter than %2 s")
                   .arg(shortRecords)
                   .arg(PatternText(NumberPattern::TwoDecimals, check.minimumDuration));
  }
  if (check.tooFewReal) reasons << QStringLiteral("fewer than two thirds of the records are real");
  return reasons;
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
                                                  const RecordSet& records) {
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
  CheckResult check = CheckCompatibility(*set, *design, {inputs.periods, inputs.tolerance, {}});
  grdCheck->ShowResult(check);
  palette.setColor(QPalette::WindowText, check.passes ? kPassText : kFailText);
  say(check.passes ? QStringLiteral("Pass: the record set matches the design spectrum.")
                   : QStringLiteral("Fail: ") +
                         FailureReasons(check, inputs.tolerance).join(QStringLiteral("; ")) +
                         QStringLiteral("."));
  return check;
}
