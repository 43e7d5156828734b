// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/windows/MainWindowFixture.h"

#include "ui/widgets/DataTableModel.h"
#include "ui/widgets/ResponseGrid.h"

QString MainWindowTest::Cell(int column, int row) const {
  return form->strngrd1->Model().CellText(column, row);
}

int MainWindowTest::GridRows() const { return form->strngrd1->Model().DataRowCount() + 1; }
