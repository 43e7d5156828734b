// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStyle>
#include <QUrl>
#include <utility>

#include "ui/platform/Captions.h"

namespace {

QString SaveKind(const SaveDialogSettings& settings) {
  return QStringLiteral("save-") +
         (settings.defaultSuffix.isEmpty() ? settings.filter : settings.defaultSuffix);
}

QString OpenKind(const OpenDialogSettings& settings) {
  return QStringLiteral("open-") + settings.filter.section(u'(', 0, 0).trimmed();
}

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) {
  QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
  // A name typed by the user is text, never markup.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

QtDesktop::QtDesktop(QWidget* parent, DialogFolders folders)
    : parent_(parent), folders_(std::move(folders)) {}

QWidget* QtDesktop::Owner() const {
  // A box for the records window belongs over that window, not behind it over the main one.
  if (QWidget* active = QApplication::activeWindow()) return active;
  return parent_;
}

void QtDesktop::Warning(const QString& text) {
  ShowBox(Owner(), QMessageBox::Warning, QStringLiteral("Warning"), text);
}

void QtDesktop::WarningList(const QString& text, const QStringList& lines) {
  // A message box grows with its text beyond the screen; the list scrolls in a box of its own.
  QDialog dialog(Owner());
  dialog.setWindowTitle(QStringLiteral("Warning"));
  auto* grid = new QGridLayout(&dialog);
  auto* icon = new QLabel(&dialog);
  const int side = dialog.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &dialog);
  icon->setPixmap(dialog.style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
  auto* label = new QLabel(text, &dialog);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  auto* list = new QPlainTextEdit(lines.join(QLatin1Char('\n')), &dialog);
  list->setReadOnly(true);
  list->setLineWrapMode(QPlainTextEdit::NoWrap);
  list->setMinimumSize(520, 200);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  grid->addWidget(icon, 0, 0, Qt::AlignTop);
  grid->addWidget(label, 0, 1);
  grid->addWidget(list, 1, 0, 1, 2);
  grid->addWidget(buttons, 2, 0, 1, 2);
  dialog.exec();
}

void QtDesktop::Information(const QString& text) {
  ShowBox(Owner(), QMessageBox::NoIcon, caption::kProgram, text);
}

void QtDesktop::Error(const QString& text) {
  ShowBox(Owner(), QMessageBox::Critical, caption::kProgram, text);
}

std::optional<QString> QtDesktop::SaveFileName(const SaveDialogSettings& settings) {
  std::optional<SaveChoice> choice = SaveFileAndFilter(settings);
  if (!choice) return std::nullopt;
  return choice->path;
}

std::optional<SaveChoice> QtDesktop::SaveFileAndFilter(const SaveDialogSettings& settings) {
  QFileDialog dialog(Owner());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(settings.filter);
  dialog.setDefaultSuffix(settings.defaultSuffix);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.confirmOverwrite);
  const QString kind = SaveKind(settings);
  dialog.setDirectory(folders_.StartFolder(kind, settings.startFolder));
  dialog.selectFile(settings.proposedName);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  folders_.Remember(kind, files.first());
  return SaveChoice{files.first(), dialog.selectedNameFilter()};
}

QStringList QtDesktop::OpenFileNames(const OpenDialogSettings& settings) {
  QFileDialog dialog(Owner());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setNameFilter(settings.filter);
  const QString kind = OpenKind(settings);
  dialog.setDirectory(folders_.StartFolder(kind, settings.startFolder));
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  if (!files.isEmpty()) folders_.Remember(kind, files.first());
  return files;
}

void QtDesktop::OpenAddress(const QString& address) {
  // Desktops open "www.x" only as a web address when it carries a scheme. The request
  // starts the browser detached; its result is of no interest.
  QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
