// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/windows/RecordsWindowFixture.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <numbers>
#include <sstream>

void RecordsWindowTest::SetUp() {
  MainWindowTest::SetUp();
  ASSERT_TRUE(folder.isValid());
  form->Records1->trigger();
  records = form->RecordsForm;
  ASSERT_NE(records, nullptr);
}

QString RecordsWindowTest::WriteRecord(const QString& name, int points, double peak,
                                       double period) {
  std::ostringstream text;
  text.precision(17);
  text << "# time (s), acceleration (g)\n";
  for (int i = 0; i < points; ++i) {
    const double t = i * 0.01;
    text << t << ' '
         << peak * std::exp(-0.05 * t) * std::sin(2 * std::numbers::pi * t / period + 0.3) << '\n';
  }
  return WriteFile(name, QByteArray::fromStdString(text.str()));
}

QString RecordsWindowTest::WriteFile(const QString& name, const QByteArray& bytes) {
  const QString path = folder.filePath(name);
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return path;
}

QString RecordsWindowTest::ElCentro() {
  const QString path = folder.filePath(QStringLiteral("elCentro.AT2"));
  QFile::remove(path);
  EXPECT_TRUE(QFile::copy(QStringLiteral(TREMVALE_RECORDS_DATA "/elCentro.AT2"), path));
  return path;
}

void RecordsWindowTest::Add(const QStringList& paths) {
  desktop.QueueOpenAnswer(paths);
  records->btnAdd->click();
  EXPECT_TRUE(WaitForFiles());
}

bool RecordsWindowTest::WaitForFiles() {
  return QTest::qWaitFor([this] { return !records->Reading(); }, 60000);
}

bool RecordsWindowTest::WaitForSpectra() {
  return QTest::qWaitFor([this] { return !records->Computing(); }, 60000);
}

void RecordsWindowTest::CheckAgainst(const QString& spectrum, const QString& periods) {
  Create(spectrum);
  records->edtPeriods->setText(periods);
  records->btnCheck->click();
}
