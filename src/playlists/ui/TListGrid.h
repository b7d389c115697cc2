#pragma once

#include "playlists/TListQuery.h"

#include <QPointer>
#include <QTableView>

// A read-only grid of play lists (name 120 and memo 135 pixels wide) whose selected row is the
// query's current row, both ways.
class TListGrid final : public QTableView {
    Q_OBJECT

public:
    explicit TListGrid(QWidget* parent = nullptr);

    void SetQuery(TListQuery* query);

signals:
    // A double click anywhere in the grid, on a row or not.
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void followQuery();

    // The grid may outlive the query it shows.
    QPointer<TListQuery> query_;
};
