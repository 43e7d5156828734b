// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/FixedHeader.h"

FixedHeader::FixedHeader(Qt::Orientation orientation, int thickness, QWidget* parent)
    : QHeaderView(orientation, parent), thickness_(thickness) {
  setSectionResizeMode(QHeaderView::Fixed);
  setMinimumSectionSize(1);
  setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setHighlightSections(false);
  setTextElideMode(Qt::ElideNone);
  if (orientation == Qt::Horizontal)
    setFixedHeight(thickness);
  else
    setFixedWidth(thickness);
}

QSize FixedHeader::sizeHint() const {
  return orientation() == Qt::Horizontal ? QSize(length(), thickness_)
                                         : QSize(thickness_, length());
}
