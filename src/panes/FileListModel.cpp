#include "panes/FileListModel.h"

#include "panes/NumberText.h"
#include "tags/GbkCodec.h"
#include "tags/NameText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
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
        const int index = static_cast<int>(&fixed - kFixedColumns);
        // The fixed columns in order: name, type, size, attributes, time, then the tag fields.
        const Kind kind = index < 5 ? static_cast<Kind>(index) : Kind::Tag;
        if (columnTitles.contains(title))
            columns_.append(Column {title, fixed.width, 0, kind, index < 5 ? 0 : index - 5});
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

void FileListModel::SetLook(const QLocale& locale, int sizeUnit)
{
    locale_ = locale;
    decimalPoint_ = locale.decimalPoint();
    sizeUnit_ = sizeUnit;
    times_ = FileTimeText(locale);
}

void FileListModel::Clear()
{
    sortColumn_ = -1;
    keys_.clear();
    if (rows_.isEmpty())
        return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void FileListModel::AppendRow(FileEntry row)
{
    InsertRows({std::move(row)});
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
    rows_[index.row()].name = value.toByteArray();
    KeepKey(index.row());
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
    if (sortColumn_ >= 0)
        keys_.erase(keys_.begin() + row, keys_.begin() + row + count);
    endRemoveRows();
    return true;
}

void FileListModel::SetCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= RowCount() || column < 1 || column >= 32)
        return;
    FileEntry& entry = rows_[row];
    const int first = CellCount(entry) + 1;
    if (!entry.hand.constData())
        entry.hand = new FileEntry::HandCells;
    // Another pane's copy of the row keeps its cells.
    FileEntry::HandCells& hand = *entry.hand;
    // The cells before it that the row lacks become empty cells.
    for (int c = first; c < column; ++c) {
        hand.mask |= 1u << c;
        hand.texts.resize(std::max<qsizetype>(hand.texts.size(), c));
    }
    hand.texts.resize(std::max<qsizetype>(hand.texts.size(), column));
    hand.texts[column - 1] = text;
    hand.mask |= 1u << column;
    KeepKey(row);
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

void FileListModel::SetFixedImage(const QIcon& icon)
{
    images_[0] = icon;
}

QIcon FileListModel::Image(int index) const
{
    return index >= 0 && index < ImageCount() ? images_[index] : QIcon();
}

int FileListModel::ImageOfExtension(const QByteArray& upperExtension) const
{
    return imageOf_.value(upperExtension, -1);
}

int FileListModel::AddImage(const QByteArray& upperExtension, const QIcon& icon)
{
    images_.append(icon);
    imageOf_.insert(upperExtension, ImageCount() - 1);
    return ImageCount() - 1;
}

void FileListModel::RemoveImagesButFixed()
{
    images_.resize(1);
    imageOf_ = {{QByteArrayLiteral(".EXE"), 0}};
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
    const FileEntry& row = rows_[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Text(index.row(), index.column());
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
