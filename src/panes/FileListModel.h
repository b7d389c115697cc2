#pragma once

#include "core/ItemRoles.h"
#include "panes/FileTimeText.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QSharedData>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The attribute cell of a file: "只读/隐藏", "只读", "隐藏" or "无属性文件".
QString AttributeText(bool readOnly, bool hidden);

// One file of a pane list as read from the folder: what its cells show, kept once; the texts are
// made when asked for.
struct FileEntry {
    FileEntry() = default;
    explicit FileEntry(QByteArray fileName) : name(std::move(fileName)) {}

    QByteArray name;      // the bytes the folder listing gave
    QByteArray tag;       // the five tag fields (GBK, or UTF-8 with tagUtf8), trimmed, each ended by a zero byte
    long long size = 0;
    long long modified = 0; // seconds since the epoch
    bool readOnly = false;
    bool tagCells = false;  // an MP3 file that is not playing, or a file with another tag: it has the five tag cells
    bool tagUtf8 = false;   // the fields come from a tag other than ID3v1, as text
    int imageIndex = -1;
    // Cells given by hand after the listing (the tag dialog): few rows have any.
    struct HandCells : QSharedData {
        unsigned mask = 0; // by bit (1 << column)
        QStringList texts;
    };
    QSharedDataPointer<HandCells> hand;

    unsigned HandMask() const { return hand.constData() ? hand.constData()->mask : 0; }
    // The same file, as far as its cells go.
    bool SameFacts(const FileEntry& other) const;
};
// Moved in memory as bytes, so that a list of 100,000 grows without copying each row.
Q_DECLARE_TYPEINFO(FileEntry, Q_RELOCATABLE_TYPE);

// A row as shown: the caption, then cells[0] for column 1 ("类型") and so on: four cells, or nine
// for an MP3 file with its tag texts.
struct FileRow {
    QByteArray name;
    QString caption;
    QStringList cells;
    int imageIndex = -1;
};

// A pane's file list: the rows, the columns with their sort flags and the small
// image list. Each list (source, target) is its own instance.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The row's native name, for drags and file operations.
    static constexpr int NameRole = kNameBytesRole;

    explicit FileListModel(QObject* parent = nullptr);

    // Makes the fixed columns whose titles occur in columnTitles and starts
    // every column's sort flag at ascending.
    void SetColumns(const QString& columnTitles);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    QString ColumnTitle(int column) const;
    int ColumnWidth(int column) const;
    // The first column with this title, or -1.
    int ColumnOf(const QString& title) const;
    // 0: the next click sorts ascending, 1: descending.
    int SortFlag(int column) const;

    // How the size and time cells are written, from the next listing on: the
    // locale and the size unit (0: kilobytes, else megabytes).
    void SetLook(const QLocale& locale, int sizeUnit);

    // Empties the list; the rows that come next stay in the order they come.
    void Clear();
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const FileEntry& Entry(int row) const { return rows_[row]; }
    FileRow Row(int row) const;
    QString Text(int row, int column) const;
    // The number a size cell shows, without making its text; none for a cell given by hand.
    std::optional<double> SizeNumber(int row, int column) const;
    void AppendRow(FileEntry row);
    // Adds rows at the end, or where the sort the user last asked for puts them.
    void InsertRows(QList<FileEntry> rows);
    // Gives back the room the rows grew into: the listing has ended.
    void ReleaseSpareRoom() { rows_.squeeze(); }
    // Takes the facts of files that are already listed (same names), keeping their images;
    // under a sort, a row whose cell changed moves to its place, with its selection.
    void UpdateRows(const QList<QPair<int, FileEntry>>& updates);
    void RemoveRow(int row);
    // Sets the text of column (1 and above), adding empty cells before it if needed.
    void SetCell(int row, int column, const QString& text);

    // Image 0 is fixed (it also serves ".EXE" files); the others come and go.
    void SetFixedImage(const QIcon& icon);
    int ImageCount() const { return static_cast<int>(images_.size()); }
    QIcon Image(int index) const;
    // The image of an upper-cased extension, or -1; AddImage gives it one.
    int ImageOfExtension(const QByteArray& upperExtension) const;
    int AddImage(const QByteArray& upperExtension, const QIcon& icon);
    void RemoveImagesButFixed();

    // The column-header click: sorts by the column's text, ASCII letters
    // without case, other characters by their GBK bytes, then flips the
    // column's flag. An empty list is left alone, flag included. Rows without
    // the column's cell sort as empty texts. Returns whether it sorted.
    bool ColumnClick(int column);

    // The caption is edited in place; new name bytes come in under NameRole, and the caption
    // follows them.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    enum class Kind { Name, Type, Size, Attributes, Time, Tag };
    struct Column {
        QString title;
        int width = 0;
        int sortFlag = 0;
        Kind kind = Kind::Name;
        int tagField = 0;
    };
    int CellCount(const FileEntry& row) const;
    QString BuiltText(const FileEntry& row, const Column& column) const;
    QString CellText(const FileEntry& row, int column) const;
    // Replaces the rows with these, in this order: before[i] is the old row of rows[i], or -1.
    void Reorder(QList<FileEntry> rows, const std::vector<int>& before);
    void KeepKey(int row);
    bool SortsBefore(const QString& a, const QString& b) const;
    bool InPlace(int row) const;

    QList<Column> columns_;
    QList<FileEntry> rows_;
    QList<QIcon> images_;
    QHash<QByteArray, int> imageOf_;
    QLocale locale_ = QLocale::system();
    QString decimalPoint_ = locale_.decimalPoint();
    int sizeUnit_ = 0;
    mutable FileTimeText times_ {locale_};
    // The sort the user last asked for, applied to rows that arrive later: the column, or -1.
    int sortColumn_ = -1;
    bool sortAscending_ = true;
    // The rows' texts in that column, while there is one: arriving rows find their place in them.
    std::vector<QString> keys_;
};
