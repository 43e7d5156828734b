// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/RecordReportRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include "ui/windows/WindowControls.h"

namespace {

const QString kProjectKey = QStringLiteral("RecordsWindow/ReportProject");
const QString kEngineerKey = QStringLiteral("RecordsWindow/ReportEngineer");

}  // namespace

RecordReportRow::RecordReportRow(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  const QSettings settings;
  edtProject = new QLineEdit(settings.value(kProjectKey).toString(), this);
  edtEngineer = new QLineEdit(settings.value(kEngineerKey).toString(), this);
  edtProject->setPlaceholderText(QStringLiteral("for the report"));
  edtEngineer->setPlaceholderText(QStringLiteral("for the report"));
  btnSaveReport = MakeButton(QStringLiteral("Save Report..."), this);
  row->addWidget(PlainLabel(QStringLiteral("Project"), this));
  row->addWidget(edtProject, 2);
  row->addSpacing(8);
  row->addWidget(PlainLabel(QStringLiteral("Engineer"), this));
  row->addWidget(edtEngineer, 1);
  row->addSpacing(8);
  row->addWidget(btnSaveReport);
}

void RecordReportRow::SaveNames() const {
  QSettings settings;
  settings.setValue(kProjectKey, edtProject->text());
  settings.setValue(kEngineerKey, edtEngineer->text());
}
