#include "panes/FileListModel.h"

#include "tags/GbkCodec.h"
#include "tags/NameText.h"

#include <algorithm>
#include <vector>

namespace {

struct FixedColumn {
    const char* title;
    int width;
};

constexpr FixedColumn kFixedColumns[] = {
    {"文件名", 150}, {"类型", 40},     {"大小", 50},   {"属性", 50},   {"修改时间", 130},
    {"音乐名", 120}, {"艺术家", 60},   {"唱片标题", 100}, {"发行年", 60}, {"附注", 50},
};

} // namespace

FileListModel::FileListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
    images_.append(QIcon());
}

void FileListModel::SetColumns(const QString& columnTitles)
{
    beginResetModel();
    columns_.clear();
    for (const FixedColumn& fixed : kFixedColumns) {
        const QString title = QString::fromUtf8(fixed.title);
        if (columnTitles.contains(title))
            columns_.append(Column {title, fixed.width, 0});
    }
    endResetModel();
}

QString FileListModel::ColumnTitle(int column) const
{
    return column >= 0 && column < ColumnCount() ? columns_[column].title : QString();
}

int FileListModel::ColumnWidth(int column) const
{
    return column >= 0 && column < ColumnCount() ? columns_[column].width : 0;
}

int FileListModel::ColumnOf(const QString& title) const
{
    for (int c = 0; c < ColumnCount(); ++c)
        if (columns_[c].title == title)
            return c;
    return -1;
}

int FileListModel::SortFlag(int column) const
{
    return column >= 0 && column < ColumnCount() ? columns_[column].sortFlag : 0;
}

void FileListModel::Clear()
{
    if (rows_.isEmpty())
        return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void FileListModel::AppendRow(FileRow row)
{
    const int at = RowCount();
    beginInsertRows(QModelIndex(), at, at);
    rows_.append(std::move(row));
    endInsertRows();
}

void FileListModel::AppendRows(QList<FileRow> rows)
{
    if (rows.isEmpty())
        return;
    const int at = RowCount();
    beginInsertRows(QModelIndex(), at, at + static_cast<int>(rows.size()) - 1);
    if (rows_.isEmpty())
        rows_ = std::move(rows);
    else
        rows_.append(std::move(rows));
    endInsertRows();
}

void FileListModel::RemoveRow(int row)
{
    removeRows(row, 1);
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.isValid() && index.column() == 0 ? flags | Qt::ItemIsEditable : flags;
}

bool FileListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != NameRole || !index.isValid() || index.row() >= RowCount())
        return false;
    FileRow& row = rows_[index.row()];
    row.name = value.toByteArray();
    row.caption = DisplayName(row.name);
    const QModelIndex caption = this->index(index.row(), 0);
    emit dataChanged(caption, caption, {Qt::DisplayRole, NameRole});
    return true;
}

bool FileListModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > RowCount())
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    rows_.remove(row, count);
    endRemoveRows();
    return true;
}

void FileListModel::SetCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= RowCount() || column < 1)
        return;
    QStringList& cells = rows_[row].cells;
    while (cells.size() < column)
        cells.append(QString());
    cells[column - 1] = text;
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

void FileListModel::SetImageIndex(int row, int imageIndex)
{
    if (row < 0 || row >= RowCount())
        return;
    rows_[row].imageIndex = imageIndex;
    const QModelIndex at = index(row, 0);
    emit dataChanged(at, at, {Qt::DecorationRole});
}

void FileListModel::SetImageIndexes(const QList<int>& imageIndexes)
{
    const int n = std::min(RowCount(), static_cast<int>(imageIndexes.size()));
    if (n == 0)
        return;
    for (int r = 0; r < n; ++r)
        rows_[r].imageIndex = imageIndexes[r];
    emit dataChanged(index(0, 0), index(n - 1, 0), {Qt::DecorationRole});
}

void FileListModel::SetFixedImage(const QIcon& icon)
{
    images_[0] = icon;
}

QIcon FileListModel::Image(int index) const
{
    return index >= 0 && index < ImageCount() ? images_[index] : QIcon();
}

int FileListModel::AddImage(const QIcon& icon)
{
    images_.append(icon);
    return ImageCount() - 1;
}

void FileListModel::RemoveImagesButFixed()
{
    images_.resize(1);
}

const QString& FileListModel::key(const FileRow& row, int column) const
{
    if (column == 0)
        return row.caption;
    return column - 1 < row.cells.size() ? row.cells[column - 1] : empty_;
}

bool FileListModel::ColumnClick(int column)
{
    if (rows_.isEmpty() || column < 0 || column >= ColumnCount())
        return false;
    // Keys side by side with their rows; equal keys keep their order.
    struct Keyed {
        QStringView key;
        int row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(rows_.size());
    for (int r = 0; r < RowCount(); ++r)
        keyed.push_back({key(rows_[r], column), r});
    const bool ascending = columns_[column].sortFlag == 0;
    std::sort(keyed.begin(), keyed.end(), [ascending](const Keyed& a, const Keyed& b) {
        const int c = CompareGbkNoCase(a.key, b.key);
        if (c != 0)
            return ascending ? c < 0 : c > 0;
        return a.row < b.row;
    });
    std::vector<int> order(keyed.size());
    for (std::size_t i = 0; i < keyed.size(); ++i)
        order[i] = keyed[i].row;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> newRowOf(order.size());
    QList<FileRow> sorted;
    sorted.reserve(rows_.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        newRowOf[order[i]] = static_cast<int>(i);
        sorted.append(std::move(rows_[order[i]]));
    }
    rows_ = std::move(sorted);
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after.append(index(newRowOf[old.row()], old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    columns_[column].sortFlag = ascending ? 1 : 0;
    return true;
}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int FileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount();
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= RowCount() || index.column() >= ColumnCount())
        return {};
    const FileRow& row = rows_[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return key(row, index.column());
    case Qt::DecorationRole:
        if (index.column() == 0 && row.imageIndex >= 0 && row.imageIndex < ImageCount())
            return images_[row.imageIndex];
        return {};
    case NameRole:
        return row.name;
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount())
        return {};
    if (role == Qt::DisplayRole)
        return columns_[section].title;
    return {};
}
