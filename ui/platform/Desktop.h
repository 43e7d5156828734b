// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

// Settings of one showing of a file-save dialog.
struct SaveDialogSettings {
  QString filter;         // Qt form, e.g. "Bitmaps (*.bmp)"
  QString defaultSuffix;  // appended when the user types a name without an extension
  QString proposedName;   // file name shown when the dialog opens
  QString startFolder;    // folder the dialog opens on
  bool confirmOverwrite = true;
};

// A save dialog's answer with the filter the user picked, as given in its settings.
struct SaveChoice {
  QString path;
  QString filter;
};

// Settings of one showing of a file-open dialog that picks existing files.
struct OpenDialogSettings {
  QString filter;       // Qt form, filters separated by ";;"
  QString startFolder;  // folder the dialog opens on
};

// Everything that would block a test or touch the outside world: modal boxes, the file
// dialogs and the request to open a web address. Texts are always shown as plain text.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // Warning icon, caption "Warning", one OK button.
  virtual void Warning(const QString& text) = 0;
  // The same for a text followed by a list of any length (one line each), which scrolls.
  virtual void WarningList(const QString& text, const QStringList& lines) {
    Warning(text + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n')));
  }
  // No icon, caption "Tremvale", one OK button.
  virtual void Information(const QString& text) = 0;
  // Stop icon, caption "Tremvale", one OK button; the text is shown as given.
  virtual void Error(const QString& text) = 0;
  // The chosen full path, or nothing when the user cancels.
  virtual std::optional<QString> SaveFileName(const SaveDialogSettings& settings) = 0;
  // The same with the filter picked; the first filter when the dialog cannot say.
  virtual std::optional<SaveChoice> SaveFileAndFilter(const SaveDialogSettings& settings) {
    std::optional<QString> path = SaveFileName(settings);
    if (!path) return std::nullopt;
    return SaveChoice{*path, settings.filter.section(QStringLiteral(";;"), 0, 0)};
  }
  // The chosen existing files as full paths; empty when the user cancels.
  virtual QStringList OpenFileNames(const OpenDialogSettings& settings) = 0;
  // Asks the desktop to open a web address; never waits, ignores failure.
  virtual void OpenAddress(const QString& address) = 0;
  // The decimal symbol of the user's regional settings, read anew on each call.
  virtual QString DecimalSymbol() const { return QLocale::system().decimalPoint(); }
};
