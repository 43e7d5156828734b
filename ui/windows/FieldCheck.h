// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

#include "ui/platform/Desktop.h"

class QLineEdit;
class QWidget;

// How the windows' input checks refuse an entry: a warning box, then the keyboard focus to
// the field to blame. The fields keep the user's text.
class FieldCheck {
 public:
  explicit FieldCheck(Desktop& desktop) : desktop_(desktop) {}

  void Refuse(const QString& text, QWidget* field) const;

  // The text as a number of the input fields' syntax, nearest double. A text that does not
  // parse is refused with "\"<text>\" is not a valid floating number!". A value beyond the
  // double range throws std::overflow_error ("Floating point overflow"), which ends the command.
  std::optional<double> Number(const QString& text, QWidget* field) const;
  // The same for the field's whole text, untrimmed.
  std::optional<double> Number(QLineEdit* field) const;

 private:
  Desktop& desktop_;
};
