#pragma once

#include "core/ItemRoles.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"

#include <gtest/gtest.h>

#include <QItemSelectionModel>

// The row of the pane's list that shows the file of this name; -1 when none does.
inline int RowOfName(TFolderPane* pane, const QByteArray& name)
{
    const QAbstractItemModel* model = pane->List()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->index(row, 0).data(kNameBytesRole).toByteArray() == name)
            return row;
    return -1;
}

// Selects exactly the rows of these names, as a user's clicks do.
inline void SelectNames(TFolderPane* pane, const QList<QByteArray>& names)
{
    QItemSelectionModel* selection = pane->List()->selectionModel();
    selection->clearSelection();
    for (const QByteArray& name : names) {
        const int row = RowOfName(pane, name);
        ASSERT_GE(row, 0) << name.constData();
        const QModelIndex index = pane->List()->model()->index(row, 0);
        selection->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    }
}
