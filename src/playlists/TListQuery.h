#pragma once

#include "TPlaylistStore.h"

#include <QAbstractTableModel>
#include <QList>

// The query of play lists: the rows of table list (id, name, memo) with a current row, the current
// list. New, edited and deleted rows go through the store and into the rows at once, so the grid
// always shows the table without a second read. AfterScroll announces every change of the current
// row, opening included.
class TListQuery final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { IdColumn, NameColumn, MemoColumn, ColumnCount };

    explicit TListQuery(TPlaylistStore& store, QObject* parent = nullptr);

    Result Open();
    bool IsOpen() const { return open_; }
    int RecordCount() const { return int(rows_.size()); }
    const ListRow& Row(int row) const { return rows_[row]; }

    // -1 with no row.
    int Current() const { return current_; }
    // The current list's identifier and name, empty with no row.
    QString CurrentId() const;
    QString CurrentName() const;
    void SetCurrent(int row);
    // Makes the row with this identifier current (letter case aside); false when there is none.
    bool Locate(const QString& id);

    // A new row under a fresh identifier at the end, made current, stored with its entries in one
    // transaction; the identifier comes back.
    Fetched<QString> Insert(const QString& name, const QString& memo, const QList<QByteArray>& entries = {});
    Result EditCurrent(const QString& name, const QString& memo);
    // Deletes the current row; the following row becomes current, the previous one after the last.
    Result DeleteCurrent();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void AfterScroll();

private:
    void setCurrentAndAnnounce(int row);

    TPlaylistStore& store_;
    QList<ListRow> rows_;
    int current_ = -1;
    bool open_ = false;
    bool removing_ = false;
};
