// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/RecordingDesktop.h"

RecordedMessage WarningMessage(const QString& text) { return {MessageKind::Warning, text}; }
RecordedMessage InformationMessage(const QString& text) { return {MessageKind::Information, text}; }
RecordedMessage ErrorMessage(const QString& text) { return {MessageKind::Error, text}; }

std::ostream& operator<<(std::ostream& out, MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return out << "Warning";
    case MessageKind::Information:
      return out << "Information";
    case MessageKind::Error:
      return out << "Error";
  }
  return out << "MessageKind(" << static_cast<int>(kind) << ")";
}

void PrintTo(const RecordedMessage& message, std::ostream* out) {
  *out << message.kind << " \"" << message.text.toStdString() << '"';
}

bool operator==(const SaveDialogSettings& a, const SaveDialogSettings& b) {
  return a.filter == b.filter && a.defaultSuffix == b.defaultSuffix &&
         a.proposedName == b.proposedName && a.startFolder == b.startFolder &&
         a.confirmOverwrite == b.confirmOverwrite;
}

void PrintTo(const SaveDialogSettings& settings, std::ostream* out) {
  *out << "{filter \"" << settings.filter.toStdString() << "\", suffix \""
       << settings.defaultSuffix.toStdString() << "\", name \""
       << settings.proposedName.toStdString() << "\", folder \""
       << settings.startFolder.toStdString() << "\", confirm "
       << (settings.confirmOverwrite ? "yes" : "no") << '}';
}

void RecordingDesktop::Warning(const QString& text) { messages_.push_back(WarningMessage(text)); }

void RecordingDesktop::Information(const QString& text) {
  messages_.push_back(InformationMessage(text));
}

void RecordingDesktop::Error(const QString& text) { messages_.push_back(ErrorMessage(text)); }

std::optional<QString> RecordingDesktop::SaveFileName(const SaveDialogSettings& settings) {
  saveDialogs_.push_back(settings);
  if (saveAnswers_.empty() || !saveAnswers_.front()) {
    if (!saveAnswers_.empty()) saveAnswers_.pop_front();
    return std::nullopt;
  }
  const QString path = *saveAnswers_.front();
  saveAnswers_.pop_front();
  return path;
}

std::optional<SaveChoice> RecordingDesktop::SaveFileAndFilter(const SaveDialogSettings& settings) {
  std::optional<QString> path = SaveFileName(settings);
  if (!path) return std::nullopt;
  return SaveChoice{*path, saveFilter_.isEmpty()
                               ? settings.filter.section(QStringLiteral(";;"), 0, 0)
                               : saveFilter_};
}

QStringList RecordingDesktop::OpenFileNames(const OpenDialogSettings& settings) {
  openDialogs_.push_back(settings);
  if (openAnswers_.empty()) return {};
  QStringList paths = openAnswers_.front();
  openAnswers_.pop_front();
  return paths;
}

void RecordingDesktop::QueueOpenAnswer(QStringList paths) {
  openAnswers_.push_back(std::move(paths));
}

void RecordingDesktop::OpenAddress(const QString& address) { addresses_.push_back(address); }

void RecordingDesktop::QueueSaveAnswer(std::optional<QString> path) {
  saveAnswers_.push_back(std::move(path));
}

std::optional<RecordedMessage> RecordingDesktop::LastMessage() const {
  if (messages_.empty()) return std::nullopt;
  return messages_.back();
}

std::vector<QString> RecordingDesktop::Texts(MessageKind kind) const {
  std::vector<QString> texts;
  for (const RecordedMessage& message : messages_) {
    if (message.kind == kind) texts.push_back(message.text);
  }
  return texts;
}

void RecordingDesktop::Clear() {
  messages_.clear();
  saveDialogs_.clear();
  addresses_.clear();
  saveAnswers_.clear();
  openDialogs_.clear();
  openAnswers_.clear();
}
