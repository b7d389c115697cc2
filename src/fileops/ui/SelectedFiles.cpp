#include "SelectedFiles.h"

#include "core/ListRows.h"
#include "fileops/FileCopy.h"
#include "fileops/SourceList.h"

#include <QAbstractItemView>

QByteArray SelectedSourceList(const QAbstractItemView* list, const QByteArray& folder, const QByteArray& playingFile,
                              const std::function<void()>& stop)
{
    QByteArray sources;
    for (const int row : SelectedRows(list)) {
        const QByteArray path = folder + RowBytes(list, row);
        if (!playingFile.isEmpty() && path == playingFile)
            stop();
        AppendSource(sources, path);
    }
    return EndSourceList(sources);
}

void RemoveGoneRows(QAbstractItemView* list, const QByteArray& folder)
{
    const QList<int> rows = SelectedRows(list);
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        if (!PathExists(folder + RowBytes(list, *row)))
            list->model()->removeRow(*row);
    }
}
