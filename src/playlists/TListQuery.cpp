#include "TListQuery.h"

TListQuery::TListQuery(TPlaylistStore& store, QObject* parent) : QAbstractTableModel(parent), store_(store) {}

Result TListQuery::Open()
{
    auto lists = store_.Lists();
    if (!lists.ok)
        return lists;
    beginResetModel();
    rows_ = std::move(lists.value);
    open_ = true;
    endResetModel();
    setCurrentAndAnnounce(rows_.isEmpty() ? -1 : 0);
    return {};
}

QString TListQuery::CurrentId() const
{
    return current_ >= 0 ? rows_[current_].id : QString();
}

QString TListQuery::CurrentName() const
{
    return current_ >= 0 ? rows_[current_].name : QString();
}

void TListQuery::SetCurrent(int row)
{
    if (removing_ || row < 0 || row >= rows_.size() || row == current_)
        return;
    setCurrentAndAnnounce(row);
}

bool TListQuery::Locate(const QString& id)
{
    for (int row = 0; row < rows_.size(); ++row) {
        if (rows_[row].id.compare(id, Qt::CaseInsensitive) == 0) {
            SetCurrent(row);
            return true;
        }
    }
    return false;
}

Fetched<QString> TListQuery::Insert(const QString& name, const QString& memo, const QList<QByteArray>& entries)
{
    Fetched<QString> id = store_.InsertList(name, memo, entries);
    if (!id.ok)
        return id;
    const int row = int(rows_.size());
    beginInsertRows(QModelIndex(), row, row);
    rows_.append({id.value, name, memo});
    endInsertRows();
    setCurrentAndAnnounce(row);
    return id;
}

Result TListQuery::EditCurrent(const QString& name, const QString& memo)
{
    if (current_ < 0)
        return Result::Failed(QStringLiteral("no current list"));
    const Result r = store_.UpdateList(rows_[current_].id, name, memo);
    if (!r.ok)
        return r;
    rows_[current_].name = name;
    rows_[current_].memo = memo;
    emit dataChanged(index(current_, NameColumn), index(current_, MemoColumn));
    return {};
}

Result TListQuery::DeleteCurrent()
{
    if (current_ < 0)
        return Result::Failed(QStringLiteral("no current list"));
    const Result r = store_.DeleteList(rows_[current_].id);
    if (!r.ok)
        return r;
    const int row = current_;
    // Views move their cursors while the row goes; the one announcement follows the removal.
    removing_ = true;
    beginRemoveRows(QModelIndex(), row, row);
    rows_.removeAt(row);
    endRemoveRows();
    removing_ = false;
    setCurrentAndAnnounce(row < rows_.size() ? row : int(rows_.size()) - 1);
    return {};
}

void TListQuery::setCurrentAndAnnounce(int row)
{
    current_ = row;
    emit AfterScroll();
}

int TListQuery::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int TListQuery::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TListQuery::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size() || role != Qt::DisplayRole)
        return {};
    const ListRow& row = rows_[index.row()];
    switch (index.column()) {
    case IdColumn:
        return row.id;
    case NameColumn:
        return row.name;
    case MemoColumn:
        return row.memo;
    default:
        return {};
    }
}

QVariant TListQuery::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case IdColumn:
        return QStringLiteral("id");
    case NameColumn:
        return QStringLiteral("列表名");
    case MemoColumn:
        return QStringLiteral("备注");
    default:
        return {};
    }
}
