#pragma once

#include <functional>
#include <string>

// The model's messages to the user ("Wrong codetype : 2.", "Period is larger than 6.0s.").
// The window installs a handler that shows a warning box; by default the text goes to
// standard error.
using WarningHandler = std::function<void(const std::string& text)>;

// Installs the handler; an empty handler restores the default.
void SetWarningHandler(WarningHandler handler);

// Passes the text to the installed handler.
void ShowWarning(const std::string& text);
