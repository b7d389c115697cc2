#include "panes/FileListModel.h"

#include "panes/NumberText.h"
#include "tags/GbkCodec.h"
#include "tags/NameText.h"

namespace {

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

