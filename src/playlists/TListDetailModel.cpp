#include "TListDetailModel.h"

#include "tags/NameText.h"

#include <algorithm>
#include <functional>

TListDetailModel::TListDetailModel(QObject* parent) : QAbstractTableModel(parent) {}

void TListDetailModel::SetPaths(QList<QByteArray> paths)
{
    beginResetModel();
    paths_ = std::move(paths);
    endResetModel();
}

void TListDetailModel::Append(const QList<QByteArray>& paths)
{
    if (paths.isEmpty())
        return;
    const int first = int(paths_.size());
    beginInsertRows(QModelIndex(), first, first + int(paths.size()) - 1);
    paths_.append(paths);
    endInsertRows();
}

void TListDetailModel::RemoveRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // From the last to the first, each run of neighbours in one step.
    qsizetype k = 0;
    while (k < rows.size()) {
        const int last = rows[k];
        int first = last;
        while (k + 1 < rows.size() && rows[k + 1] == first - 1) {
            ++k;
            --first;
        }
        ++k;
        if (first < 0 || last >= paths_.size())
            continue;
        beginRemoveRows(QModelIndex(), first, last);
        paths_.remove(first, last - first + 1);
        endRemoveRows();
    }
}

void TListDetailModel::SwapRows(int i, int j)
{
    if (i < 0 || j < 0 || i >= paths_.size() || j >= paths_.size() || i == j)
        return;
    paths_.swapItemsAt(i, j);
    emit dataChanged(index(std::min(i, j), 0), index(std::max(i, j), 0));
}

int TListDetailModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(paths_.size());
}

int TListDetailModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant TListDetailModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= paths_.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return DisplayName(paths_[index.row()]);
    if (role == kNameBytesRole)
        return paths_[index.row()];
    return {};
}

QVariant TListDetailModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 0)
        return QStringLiteral("文件名");
    return QAbstractTableModel::headerData(section, orientation, role);
}
