// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

// The model's messages to the user ("Wrong codetype : 2.", "Period is larger than 6.0s.").
// A window routes them to a warning box for as long as it lives; without one the text goes to
// standard error.
using WarningHandler = std::function<void(const std::string& text)>;

// Routes the model's warnings to a handler while it lives. Owners may overlap and end in any
// order: the newest living owner's handler is in effect, and when an owner ends the handler
// it replaced (or a newer one still living) takes over again.
class ScopedWarningHandler {
 public:
  explicit ScopedWarningHandler(WarningHandler handler);
  ~ScopedWarningHandler();

  ScopedWarningHandler(const ScopedWarningHandler&) = delete;
  ScopedWarningHandler& operator=(const ScopedWarningHandler&) = delete;
};

// Passes the text to the handler in effect.
void ShowWarning(const std::string& text);
