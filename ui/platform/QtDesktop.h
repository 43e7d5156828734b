// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/platform/Desktop.h"
#include "ui/platform/DialogFolders.h"

// The real desktop: Qt message boxes (always plain text), the Qt file dialogs and the
// desktop's URL handler. Boxes and dialogs are modal to the active window, or to the parent
// widget when no window of the program is active. A file dialog opens in the folder last used
// for its kind of file (saves by their suffix, opens by their first filter), or in the start
// folder of its settings the first time.
class QtDesktop : public Desktop {
 public:
  explicit QtDesktop(QWidget* parent, DialogFolders folders = DialogFolders());

  // The window the boxes and dialogs are modal to; the main window once it exists.
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Warning(const QString& text) override;
  void WarningList(const QString& text, const QStringList& lines) override;
  void Information(const QString& text) override;
  void Error(const QString& text) override;
  std::optional<QString> SaveFileName(const SaveDialogSettings& settings) override;
  std::optional<SaveChoice> SaveFileAndFilter(const SaveDialogSettings& settings) override;
  QStringList OpenFileNames(const OpenDialogSettings& settings) override;
  void OpenAddress(const QString& address) override;

 private:
  QWidget* Owner() const;

  QPointer<QWidget> parent_;
  DialogFolders folders_;
};
