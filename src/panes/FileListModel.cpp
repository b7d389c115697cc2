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

QString sizeText(long long size, int unit, const QString& decimalPoint)
{
    if (unit == 0) {
        // Written by hand: a sort or a status total makes one for every row.
        char text[32];
        char* p = text + sizeof text;
        *--p = 'B';
        *--p = 'K';
        long long kilobytes = size / 1024;
        do {
            *--p = static_cast<char>('0' + kilobytes % 10);
            kilobytes /= 10;
        } while (kilobytes > 0);
        return QString::fromLatin1(p, text + sizeof text - p);
    }
    return GeneralNumber(static_cast<double>(size) / 1048576.0, 3, decimalPoint) + QStringLiteral("MB");
}

QByteArrayView tagField(const QByteArray& tag, int field)
{
    qsizetype from = 0;
    for (int f = 0; f < field; ++f) {
        const qsizetype end = tag.indexOf('\0', from);
        if (end < 0)
            return {};
        from = end + 1;
    }
    const qsizetype end = tag.indexOf('\0', from);
    return end < 0 ? QByteArrayView() : QByteArrayView(tag).sliced(from, end - from);
}

} // namespace

QString AttributeText(bool readOnly, bool hidden)
{
    if (readOnly && hidden)
        return QStringLiteral("只读/隐藏");
    if (readOnly)
        return QStringLiteral("只读");
    if (hidden)
        return QStringLiteral("隐藏");
    return QStringLiteral("无属性文件");
}

bool FileEntry::SameFacts(const FileEntry& other) const
{
    return size == other.size && modified == other.modified && readOnly == other.readOnly
        && tagCells == other.tagCells && tagUtf8 == other.tagUtf8 && tag == other.tag;
}

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

int FileListModel::CellCount(const FileEntry& row) const
{
    int built = 0;
    for (const Column& column : columns_)
        built += column.kind != Kind::Name && (column.kind != Kind::Tag || row.tagCells);
    int set = 0;
    for (unsigned mask = row.HandMask() >> 1; mask != 0; mask >>= 1)
        ++set;
    return std::max(built, set);
}

QString FileListModel::BuiltText(const FileEntry& row, const Column& column) const
{
    switch (column.kind) {
    case Kind::Name:
        return DisplayName(row.name);
    case Kind::Type: {
        const QString caption = DisplayName(row.name);
        const qsizetype dot = caption.lastIndexOf(u'.');
        return dot < 0 ? QString() : caption.sliced(dot + 1).left(5);
    }
    case Kind::Size:
        return sizeText(row.size, sizeUnit_, decimalPoint_);
    case Kind::Attributes:
        return AttributeText(row.readOnly, row.name.startsWith('.'));
    case Kind::Time:
        return times_.Text(static_cast<std::time_t>(row.modified));
    case Kind::Tag:
        if (!row.tagCells)
            return {};
        return row.tagUtf8 ? QString::fromUtf8(tagField(row.tag, column.tagField))
                           : GbkToText(tagField(row.tag, column.tagField));
    }
    return {};
}

QString FileListModel::CellText(const FileEntry& row, int column) const
{
    if (column > 0 && (row.HandMask() >> column & 1u) != 0)
        return row.hand.constData()->texts.value(column - 1);
    return BuiltText(row, columns_[column]);
}

QString FileListModel::Text(int row, int column) const
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return {};
    return CellText(rows_[row], column);
}

std::optional<double> FileListModel::SizeNumber(int row, int column) const
{
    const FileEntry& entry = rows_[row];
    if (columns_[column].kind != Kind::Size || (entry.HandMask() >> column & 1u) != 0)
        return std::nullopt;
    if (sizeUnit_ == 0)
        return static_cast<double>(entry.size / 1024);
    // The megabytes rounded to the three significant digits that the cell shows.
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.2E", static_cast<double>(entry.size) / 1048576.0);
    return std::strtod(digits, nullptr);
}

FileRow FileListModel::Row(int row) const
{
    FileRow shown {rows_[row].name, Text(row, 0), {}, rows_[row].imageIndex};
    const int cells = CellCount(rows_[row]);
    for (int c = 1; c <= cells; ++c)
        shown.cells.append(Text(row, c));
    return shown;
}

void FileListModel::AppendRow(FileEntry row)
{
    InsertRows({std::move(row)});
}

void FileListModel::InsertRows(QList<FileEntry> rows)
{
    if (rows.isEmpty())
        return;
    if (sortColumn_ < 0) {
        const int at = RowCount();
        beginInsertRows(QModelIndex(), at, at + static_cast<int>(rows.size()) - 1);
        if (rows_.isEmpty())
            rows_ = std::move(rows);
        else
            rows_.append(std::move(rows));
        endInsertRows();
        return;
    }
    std::vector<QString> newKeys;
    newKeys.reserve(rows.size());
    for (const FileEntry& row : rows)
        newKeys.push_back(CellText(row, sortColumn_));
    const auto before = [this](const QString& a, const QString& b) { return SortsBefore(a, b); };
    // Each new row goes after the rows that sort equal to it, as a stable sort would put it.
    std::vector<std::pair<int, int>> places; // (old row it goes before, new row)
    places.reserve(rows.size());
    for (int n = 0; n < rows.size(); ++n) {
        const auto at = std::upper_bound(keys_.begin(), keys_.end(), newKeys[n], before);
        places.emplace_back(static_cast<int>(at - keys_.begin()), n);
    }
    std::stable_sort(places.begin(), places.end(), [&](const auto& a, const auto& b) {
        return a.first < b.first || (a.first == b.first && before(newKeys[a.second], newKeys[b.second]));
    });
    QList<FileEntry> merged;
    merged.reserve(rows_.size() + rows.size());
    std::vector<QString> mergedKeys;
    mergedKeys.reserve(rows_.size() + rows.size());
    std::vector<int> from;
    from.reserve(rows_.size() + rows.size());
    const auto takeOld = [&](int old) {
        merged.append(std::move(rows_[old]));
        mergedKeys.push_back(std::move(keys_[old]));
        from.push_back(old);
    };
    int old = 0;
    for (const auto& [at, n] : places) {
        for (; old < at; ++old)
            takeOld(old);
        merged.append(std::move(rows[n]));
        mergedKeys.push_back(std::move(newKeys[n]));
        from.push_back(-1);
    }
    for (; old < RowCount(); ++old)
        takeOld(old);
    keys_ = std::move(mergedKeys);
    Reorder(std::move(merged), from);
}

void FileListModel::KeepKey(int row)
{
    if (sortColumn_ >= 0)
        keys_[row] = CellText(rows_[row], sortColumn_);
}

void FileListModel::Reorder(QList<FileEntry> rows, const std::vector<int>& before)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    std::vector<int> newRowOf(rows_.size(), -1);
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] >= 0)
            newRowOf[before[i]] = static_cast<int>(i);
    rows_ = std::move(rows);
    QModelIndexList after;
    after.reserve(persistent.size());
    for (const QModelIndex& old : persistent)
        after.append(index(newRowOf[old.row()], old.column()));
    changePersistentIndexList(persistent, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool FileListModel::SortsBefore(const QString& a, const QString& b) const
{
    const int c = CompareGbkNoCase(a, b);
    return sortAscending_ ? c < 0 : c > 0;
}

bool FileListModel::InPlace(int row) const
{
    return (row == 0 || !SortsBefore(keys_[row], keys_[row - 1]))
        && (row + 1 == RowCount() || !SortsBefore(keys_[row + 1], keys_[row]));
}

void FileListModel::UpdateRows(const QList<QPair<int, FileEntry>>& updates)
{
    bool outOfPlace = false;
    for (const auto& [row, facts] : updates) {
        const int image = rows_[row].imageIndex;
        rows_[row] = facts;
        rows_[row].imageIndex = image;
        KeepKey(row);
        emit dataChanged(index(row, 0), index(row, ColumnCount() - 1), {Qt::DisplayRole});
    }
    for (const auto& update : updates)
        outOfPlace = outOfPlace || (sortColumn_ >= 0 && !InPlace(update.first));
    if (!outOfPlace)
        return;
    // The rows that stay keep their order; the updated ones go in after the rows that sort equal.
    std::vector<bool> moving(rows_.size(), false);
    std::vector<int> movers;
    for (const auto& update : updates) {
        moving[update.first] = true;
        movers.push_back(update.first);
    }
    std::stable_sort(movers.begin(), movers.end(), [this](int a, int b) { return SortsBefore(keys_[a], keys_[b]); });
    std::vector<int> from;
    from.reserve(rows_.size());
    auto mover = movers.begin();
    for (int row = 0; row < RowCount(); ++row) {
        if (moving[row])
            continue;
        for (; mover != movers.end() && SortsBefore(keys_[*mover], keys_[row]); ++mover)
            from.push_back(*mover);
        from.push_back(row);
    }
    from.insert(from.end(), mover, movers.end());
    QList<FileEntry> reordered;
    reordered.reserve(rows_.size());
    std::vector<QString> keys;
    keys.reserve(rows_.size());
    for (int old : from) {
        reordered.append(std::move(rows_[old]));
        keys.push_back(std::move(keys_[old]));
    }
    keys_ = std::move(keys);
    Reorder(std::move(reordered), from);
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

bool FileListModel::ColumnClick(int column)
{
    if (rows_.isEmpty() || column < 0 || column >= ColumnCount())
        return false;
    // Each text is turned once into a byte key, so the sort compares bytes. The buffers stay
    // few and small: fresh large blocks cost more in page faults than the sort itself.
    const int count = RowCount();
    keys_.clear();
    keys_.reserve(count);
    std::size_t total = 0;
    for (int r = 0; r < count; ++r) {
        keys_.push_back(Text(r, column));
        total += 2 * static_cast<std::size_t>(keys_.back().size());
    }
    std::string bytes;
    bytes.reserve(total);
    // Equal keys keep their order.
    struct Keyed {
        std::uint32_t start;
        std::uint32_t size;
        int row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(count);
    for (int r = 0; r < count; ++r) {
        const std::size_t start = bytes.size();
        AppendGbkSortKey(keys_[r], bytes);
        keyed.push_back(
            {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(bytes.size() - start), r});
    }
    const std::string_view all(bytes);
    const bool ascending = columns_[column].sortFlag == 0;
    std::sort(keyed.begin(), keyed.end(), [all, ascending](const Keyed& a, const Keyed& b) {
        const int c = all.substr(a.start, a.size).compare(all.substr(b.start, b.size));
        if (c != 0)
            return ascending ? c < 0 : c > 0;
        return a.row < b.row;
    });
    std::vector<int> before(keyed.size());
    QList<FileEntry> sorted;
    sorted.reserve(count);
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        before[i] = keyed[i].row;
        // Copied: the rows may still be shared with the listing that gave them, and taking them
        // would copy them all first.
        sorted.append(std::as_const(rows_)[keyed[i].row]);
    }
    // The texts follow their rows in place, cycle by cycle.
    std::vector<bool> placed(keyed.size());
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        if (placed[i])
            continue;
        QString first = std::move(keys_[i]);
        std::size_t at = i;
        for (auto from = static_cast<std::size_t>(before[at]); from != i;
             from = static_cast<std::size_t>(before[at])) {
            keys_[at] = std::move(keys_[from]);
            placed[at] = true;
            at = from;
        }
        keys_[at] = std::move(first);
        placed[at] = true;
    }
    Reorder(std::move(sorted), before);
    columns_[column].sortFlag = ascending ? 1 : 0;
    sortColumn_ = column;
    sortAscending_ = ascending;
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
