// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Warning.h"

#include <iostream>
#include <utility>
#include <vector>

namespace {

struct Installed {
  const ScopedWarningHandler* owner;
  WarningHandler handler;
};

// Oldest first; the last entry is in effect.
std::vector<Installed>& Handlers() {
  static std::vector<Installed> handlers;
  return handlers;
}

}  // namespace

ScopedWarningHandler::ScopedWarningHandler(WarningHandler handler) {
  Handlers().push_back({this, std::move(handler)});
}

ScopedWarningHandler::~ScopedWarningHandler() {
  std::erase_if(Handlers(), [this](const Installed& entry) { return entry.owner == this; });
}

void ShowWarning(const std::string& text) {
  const std::vector<Installed>& handlers = Handlers();
  if (handlers.empty() || !handlers.back().handler) {
    std::cerr << text << '\n';
    return;
  }
  // A copy: the handler may run a modal loop in which owners come and go.
  const WarningHandler handler = handlers.back().handler;
  handler(text);
}
