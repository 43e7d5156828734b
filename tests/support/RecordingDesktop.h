// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <ostream>
#include <vector>

#include "tests/support/QtPrinters.h"
#include "ui/platform/Desktop.h"

enum class MessageKind { Warning, Information, Error };

// One message box that the program asked for.
struct RecordedMessage {
  MessageKind kind;
  QString text;
  bool operator==(const RecordedMessage&) const = default;
};

RecordedMessage WarningMessage(const QString& text);
RecordedMessage InformationMessage(const QString& text);
RecordedMessage ErrorMessage(const QString& text);

std::ostream& operator<<(std::ostream& out, MessageKind kind);
void PrintTo(const RecordedMessage& message, std::ostream* out);
bool operator==(const SaveDialogSettings& a, const SaveDialogSettings& b);
void PrintTo(const SaveDialogSettings& settings, std::ostream* out);

// A Desktop for tests: nothing is shown and nothing blocks. Keeps every message, save
// dialog request and address; answers file dialogs from a script (an empty script means
// the user cancels). The decimal symbol is "." unless a test sets another.
class RecordingDesktop : public Desktop {
 public:
  void Warning(const QString& text) override;
  void Information(const QString& text) override;
  void Error(const QString& text) override;
  std::optional<QString> SaveFileName(const SaveDialogSettings& settings) override;
  std::optional<SaveChoice> SaveFileAndFilter(const SaveDialogSettings& settings) override;
  QStringList OpenFileNames(const OpenDialogSettings& settings) override;
  void OpenAddress(const QString& address) override;
  QString DecimalSymbol() const override { return decimalSymbol_; }

  // Scripts the answer of the next save dialog not yet scripted; nullopt is a cancel.
  void QueueSaveAnswer(std::optional<QString> path);
  // Scripts the files of the next open dialog not yet scripted; an empty list is a cancel.
  void QueueOpenAnswer(QStringList paths);
  void SetDecimalSymbol(const QString& symbol) { decimalSymbol_ = symbol; }
  // The filter the save dialogs answer with; the first of their own when empty.
  void SetSaveFilter(const QString& filter) { saveFilter_ = filter; }

  const std::vector<RecordedMessage>& messages() const { return messages_; }
  std::optional<RecordedMessage> LastMessage() const;
  // The texts of the messages of one kind, in order.
  std::vector<QString> Texts(MessageKind kind) const;
  const std::vector<SaveDialogSettings>& saveDialogs() const { return saveDialogs_; }
  const std::vector<OpenDialogSettings>& openDialogs() const { return openDialogs_; }
  const std::vector<QString>& addresses() const { return addresses_; }
  std::size_t PendingSaveAnswers() const { return saveAnswers_.size(); }

  // Forgets everything recorded and scripted; the decimal symbol stays.
  void Clear();

 private:
  std::vector<RecordedMessage> messages_;
  std::vector<SaveDialogSettings> saveDialogs_;
  std::vector<QString> addresses_;
  std::deque<std::optional<QString>> saveAnswers_;
  std::vector<OpenDialogSettings> openDialogs_;
  std::deque<QStringList> openAnswers_;
  QString decimalSymbol_ = QStringLiteral(".");
  QString saveFilter_;
};
