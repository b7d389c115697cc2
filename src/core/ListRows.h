#pragma once

#include <QByteArray>
#include <QList>

class QAbstractItemModel;
class QAbstractItemView;
class QString;
class QWidget;

// What the controllers read of a file list and do to it, through the view and its model alone.

int RowCount(const QAbstractItemView* list);
// The rows with a selected cell, in list order (the caption alone is selected during a drag).
QList<int> SelectedRows(const QAbstractItemView* list);
// The first selected row in list order, or -1.
int SelectedRow(const QAbstractItemView* list);
// The row's name bytes (kNameBytesRole).
QByteArray RowBytes(const QAbstractItemView* list, int row);
// The first column from the left with this caption, or -1.
int ColumnOf(const QAbstractItemModel& model, const QString& caption);
// Clears the selection, then selects, focuses and shows row.
void SelectOnly(QAbstractItemView* list, int row);
// Whether the widget, or something inside it, is its window's focus widget.
bool HasFocus(const QWidget* widget);
