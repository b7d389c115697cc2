#include "panes/FileListModel.h"

#include "tags/GbkCodec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

