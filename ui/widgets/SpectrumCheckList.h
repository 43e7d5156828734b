// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

// The check list of created spectra: unsorted items with two-state check boxes, multiple
// selection and a current item that is independent of the selection; items are 17 px high.
// A click on an item's check box also makes that item current. Only a check state changed by
// the user raises checkStateChanged; states set by the program raise nothing.
class SpectrumCheckList : public QListWidget {
  Q_OBJECT

 public:
  explicit SpectrumCheckList(QWidget* parent = nullptr);

  // Appends an item with this text, then checks it; the current item does not move.
  void AppendChecked(const QString& text);
  // Deletes the first item with exactly this text. If the list had a current item and
  // still has items, the item now at the current position becomes current, or the last
  // item when that position lies past the end.
  void DeleteFirst(const QString& text);
  void DeleteAll();

  bool IsChecked(int row) const;

 signals:
  void checkStateChanged(int row, bool checked);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void OnItemChanged(QListWidgetItem* item);
  bool programChange_ = false;
};
