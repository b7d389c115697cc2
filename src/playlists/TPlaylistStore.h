#pragma once

#include "StoreResult.h"
#include "store/RecordId.h"

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>

struct ListRow {
    QString id;
    QString name;
    QString memo;
};

struct TargetRow {
    QString id;
    QByteArray path;
};

// Every statement on the play lists (list), their entries (listdetail) and the used target folders
// (TargetList). Values are always bound, each change of several rows runs in one transaction, and
// every read takes its rows to the end at once, so no half-read result keeps a lock. Paths are
// bytes: valid UTF-8 is stored as text, anything else as a BLOB, and both read back unchanged.
class TPlaylistStore {
public:
    explicit TPlaylistStore(QSqlDatabase db, RecordIdMaker ids = RecordIdMaker());

    // The catalogue could only be opened for reading (the user was told at start).
    bool ReadOnly() const;

    // Every list, in the table's own order.
    Fetched<QList<ListRow>> Lists() const;
    // A new list under a fresh record identifier, which comes back, with paths as its entries: both
    // or neither.
    Fetched<QString> InsertList(const QString& name, const QString& memo, const QList<QByteArray>& paths = {});
    Result UpdateList(const QString& id, const QString& name, const QString& memo);
    // The list and its entries go together.
    Result DeleteList(const QString& id);

    // The entries of one list in ascending position.
    Fetched<QList<QByteArray>> Entries(const QString& listId) const;
    // Makes paths the whole content of the list, positions 0 to n - 1; on failure the list stays as it was.
    Result SaveEntries(const QString& listId, const QList<QByteArray>& paths);
    // Exchanges the positions i and j, through the free position -1.
    Result SwapEntries(const QString& listId, int i, int j);

    Fetched<QList<TargetRow>> Targets() const;
    // Stores the folder unless a row holds exactly these bytes already.
    Result RememberTarget(const QByteArray& path);
    Result DeleteTarget(const QString& id);
    Result DeleteAllTargets();

private:
    QSqlDatabase db_;
    RecordIdMaker ids_;
};
