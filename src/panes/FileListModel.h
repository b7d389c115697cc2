#pragma once

#include "core/ItemRoles.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>

// One file of a pane list. cells[0] is the "类型" cell (column 1) and so on:
// four cells, or nine for an MP3 file with its tag texts.
struct FileRow {
    QByteArray name;   // the bytes the folder listing gave
    QString caption;   // name as shown
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

    void Clear();
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const FileRow& Row(int row) const { return rows_[row]; }
    void AppendRow(FileRow row);
    void AppendRows(QList<FileRow> rows);
    void RemoveRow(int row);
    // Sets the text of column (1 and above), adding empty cells before it if needed.
    void SetCell(int row, int column, const QString& text);
    void SetImageIndex(int row, int imageIndex);
    // One index per row, in row order.
    void SetImageIndexes(const QList<int>& imageIndexes);

    // Image 0 is fixed (it also serves ".EXE" files); the others come and go.
    void SetFixedImage(const QIcon& icon);
    int ImageCount() const { return static_cast<int>(images_.size()); }
    QIcon Image(int index) const;
    int AddImage(const QIcon& icon);
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
    struct Column {
        QString title;
        int width = 0;
        int sortFlag = 0;
    };
    const QString& key(const FileRow& row, int column) const;

    QList<Column> columns_;
    QList<FileRow> rows_;
    QList<QIcon> images_;
    QString empty_;
};
