#include "TListGrid.h"

#include "playlists/TListQuery.h"

#include <QHeaderView>

TListGrid::TListGrid(QWidget* parent) : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TListGrid::SetQuery(TListQuery* query)
{
    query_ = query;
    setModel(query);
    setColumnHidden(TListQuery::IdColumn, true);
    setColumnWidth(TListQuery::NameColumn, 120);
    setColumnWidth(TListQuery::MemoColumn, 135);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && query_)
                    query_->SetCurrent(current.row());
            });
    connect(query, &TListQuery::AfterScroll, this, &TListGrid::followQuery);
    followQuery();
}

void TListGrid::followQuery()
{
    const int row = query_ ? query_->Current() : -1;
    if (row < 0) {
        selectionModel()->clear();
        return;
    }
    if (currentIndex().row() != row || !selectionModel()->isRowSelected(row, QModelIndex())) {
        setCurrentIndex(model()->index(row, TListQuery::NameColumn));
        selectRow(row);
    }
}

void TListGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit DblClick();
}
