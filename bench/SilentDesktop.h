#pragma once

#include "ui/platform/Desktop.h"

// A desktop for benchmarks: every box is answered at once, the save dialog returns `answer`
// (empty: the user cancels), the decimal symbol is ".".
class SilentDesktop : public Desktop {
 public:
  void Warning(const QString&) override {}
  void Information(const QString&) override {}
  void Error(const QString&) override {}
  std::optional<QString> SaveFileName(const SaveDialogSettings&) override {
    if (answer.isEmpty()) return std::nullopt;
    return answer;
  }
  void OpenAddress(const QString&) override {}
  QString DecimalSymbol() const override { return QStringLiteral("."); }

  QString answer;
};
