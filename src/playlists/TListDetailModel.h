#pragma once

#include "core/ItemRoles.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>

// The entries of the current list as the entry view shows them: one column "文件名", one row per
// entry in list order. A row shows its path decoded and gives the path's bytes under kNameBytesRole.
class TListDetailModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TListDetailModel(QObject* parent = nullptr);

    int Count() const { return int(paths_.size()); }
    const QList<QByteArray>& Paths() const { return paths_; }
    const QByteArray& Path(int row) const { return paths_[row]; }

    void SetPaths(QList<QByteArray> paths);
    void Append(const QList<QByteArray>& paths);
    // Removes the rows (any order, repeats allowed).
    void RemoveRows(QList<int> rows);
    void SwapRows(int i, int j);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<QByteArray> paths_;
};
