#pragma once

#include "panes/FileListModel.h"

#include <QList>

// What turns a listed folder into the folder read again, by name bytes.
struct RowDiff {
    QList<int> removed;             // rows listed that are gone, ascending
    QList<QPair<int, int>> changed; // (listed row, fresh row) whose facts differ
    QList<int> added;               // fresh rows not listed, in the fresh order
};

RowDiff DiffRows(const FileListModel& listed, const QList<FileEntry>& fresh);
