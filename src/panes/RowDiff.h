#pragma once

#include "panes/FileListModel.h"

#include <QList>
#include <QSet>

// What turns a listed folder into the folder read again, by name bytes.
struct RowDiff {
    QList<int> removed;             // rows listed that are gone, ascending
    QList<QPair<int, int>> changed; // (listed row, fresh row) whose facts differ
    QList<int> added;               // fresh rows not listed, in the fresh order
};

RowDiff DiffRows(const FileListModel& listed, const QList<FileEntry>& fresh);
// The same where only the entries of these names were read again: the other rows stay.
RowDiff DiffNamedRows(const FileListModel& listed, const QSet<QByteArray>& names, const QList<FileEntry>& fresh);
