#include "model/Warning.h"

#include <iostream>
#include <utility>

namespace {

void WriteToStandardError(const std::string& text) { std::cerr << text << '\n'; }

WarningHandler& Handler() {
  static WarningHandler handler = WriteToStandardError;
  return handler;
}

}  // namespace

void SetWarningHandler(WarningHandler handler) {
  Handler() = handler ? std::move(handler) : WarningHandler(WriteToStandardError);
}

void ShowWarning(const std::string& text) { Handler()(text); }
