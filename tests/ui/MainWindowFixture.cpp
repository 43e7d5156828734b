#include "MainWindowFixture.h"

#include "DataTableModel.h"
#include "ResponseGrid.h"

QString MainWindowTest::Cell(int column, int row) const {
  return form->strngrd1->Model().CellText(column, row);
}

int MainWindowTest::GridRows() const { return form->strngrd1->Model().DataRowCount() + 1; }
