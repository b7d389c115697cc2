#include "ListRows.h"

#include "core/ItemRoles.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

#include <algorithm>

int RowCount(const QAbstractItemView* list)
{
    return list->model() != nullptr ? list->model()->rowCount() : 0;
}

QList<int> SelectedRows(const QAbstractItemView* list)
{
    QList<int> rows;
    if (list == nullptr || list->selectionModel() == nullptr)
        return rows;
    // Any selected cell counts for its row, whatever the view's selection behaviour.
    for (const QModelIndex& index : list->selectionModel()->selectedIndexes()) {
        if (!index.parent().isValid())
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int SelectedRow(const QAbstractItemView* list)
{
    const QList<int> rows = SelectedRows(list);
    return rows.isEmpty() ? -1 : rows.first();
}

QByteArray RowBytes(const QAbstractItemView* list, int row)
{
    return list->model()->index(row, 0).data(kNameBytesRole).toByteArray();
}

void SelectOnly(QAbstractItemView* list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list->scrollTo(index);
}

bool HasFocus(const QWidget* widget)
{
    const QWidget* focus = widget->window()->focusWidget();
    return focus != nullptr && (focus == widget || widget->isAncestorOf(focus));
}

int ColumnOf(const QAbstractItemModel& model, const QString& caption)
{
    for (int column = 0; column < model.columnCount(); ++column)
        if (model.headerData(column, Qt::Horizontal).toString() == caption)
            return column;
    return -1;
}
