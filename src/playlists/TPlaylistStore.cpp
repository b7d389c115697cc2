#include "TPlaylistStore.h"

#include "ScopedTransaction.h"
#include "tags/NameText.h"

#include "store/TCatalogue.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <initializer_list>

namespace {

QVariant pathValue(const QByteArray& path)
{
    if (IsValidUtf8(path))
        return QString::fromUtf8(path);
    return path;
}

QByteArray pathBytes(const QVariant& value)
{
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray();
    return value.toString().toUtf8();
}

// A statement with its values bound, run once; the layer's text when it fails.
Result run(QSqlQuery& q, const QString& statement, std::initializer_list<QVariant> values)
{
    if (!q.prepare(statement))
        return Result::Failed(CatalogueErrorText(q.lastError()));
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        return Result::Failed(CatalogueErrorText(q.lastError()));
    return {};
}

Result runOn(const QSqlDatabase& db, const QString& statement, std::initializer_list<QVariant> values)
{
    QSqlQuery q(db);
    return run(q, statement, values);
}

// Reads every row at once and lets the statement go, so that no read lock stays behind.
template <class Row, class Read>
Fetched<QList<Row>> readAll(const QSqlDatabase& db, const QString& statement, std::initializer_list<QVariant> values,
                            Read read)
{
    Fetched<QList<Row>> out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    const Result r = run(q, statement, values);
    if (!r.ok) {
        out.ok = false;
        out.error = r.error;
        return out;
    }
    while (q.next())
        out.value.append(read(q));
    if (q.lastError().isValid()) {
        out.ok = false;
        out.error = CatalogueErrorText(q.lastError());
    }
    q.finish();
    return out;
}

Result commitOrError(ScopedTransaction& tx, const Result& r)
{
    return r.ok ? tx.Commit() : r;
}

// The paths as the list's entries at positions 0 to n - 1, inside the caller's transaction.
Result insertEntries(const QSqlDatabase& db, const QString& listId, const QList<QByteArray>& paths)
{
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("insert into listdetail (id, filename, [order]) values (?, ?, ?)")))
        return Result::Failed(CatalogueErrorText(insert.lastError()));
    for (qsizetype k = 0; k < paths.size(); ++k) {
        insert.bindValue(0, listId);
        insert.bindValue(1, pathValue(paths[k]));
        insert.bindValue(2, int(k));
        if (!insert.exec())
            return Result::Failed(CatalogueErrorText(insert.lastError()));
    }
    return {};
}

} // namespace

TPlaylistStore::TPlaylistStore(QSqlDatabase db, RecordIdMaker ids) : db_(std::move(db)), ids_(std::move(ids)) {}

bool TPlaylistStore::ReadOnly() const
{
    return TCatalogue::IsReadOnly(db_);
}

Fetched<QList<ListRow>> TPlaylistStore::Lists() const
{
    return readAll<ListRow>(db_, QStringLiteral("select id, name, memo from list"), {}, [](const QSqlQuery& q) {
        return ListRow{q.value(0).toString(), q.value(1).toString(), q.value(2).toString()};
    });
}

Fetched<QString> TPlaylistStore::InsertList(const QString& name, const QString& memo, const QList<QByteArray>& paths)
{
    Fetched<QString> out;
    const QString id = ids_.Next();
    ScopedTransaction tx(db_);
    Result r = tx.Begun();
    if (r.ok)
        r = runOn(db_, QStringLiteral("insert into list (id, name, memo) values (?, ?, ?)"), {id, name, memo});
    if (r.ok)
        r = insertEntries(db_, id, paths);
    r = commitOrError(tx, r);
    out.ok = r.ok;
    out.error = r.error;
    if (r.ok)
        out.value = id;
    return out;
}

Result TPlaylistStore::UpdateList(const QString& id, const QString& name, const QString& memo)
{
    return runOn(db_, QStringLiteral("update list set name = ?, memo = ? where id = ?"), {name, memo, id});
}

Result TPlaylistStore::DeleteList(const QString& id)
{
    ScopedTransaction tx(db_);
    if (!tx.Begun().ok)
        return tx.Begun();
    // Without foreign keys on this connection the entries would stay behind unreachable.
    Result r = runOn(db_, QStringLiteral("delete from listdetail where id = ?"), {id});
    if (r.ok)
        r = runOn(db_, QStringLiteral("delete from list where id = ?"), {id});
    return commitOrError(tx, r);
}

Fetched<QList<QByteArray>> TPlaylistStore::Entries(const QString& listId) const
{
    return readAll<QByteArray>(db_, QStringLiteral("select filename from listdetail where id = ? order by [order]"),
                               {listId}, [](const QSqlQuery& q) { return pathBytes(q.value(0)); });
}

Result TPlaylistStore::SaveEntries(const QString& listId, const QList<QByteArray>& paths)
{
    ScopedTransaction tx(db_);
    if (!tx.Begun().ok)
        return tx.Begun();
    Result r = runOn(db_, QStringLiteral("delete from listdetail where id = ?"), {listId});
    if (r.ok)
        r = insertEntries(db_, listId, paths);
    return commitOrError(tx, r);
}

Result TPlaylistStore::SwapEntries(const QString& listId, int i, int j)
{
    ScopedTransaction tx(db_);
    if (!tx.Begun().ok)
        return tx.Begun();
    const QString move = QStringLiteral("update listdetail set [order] = ? where id = ? and [order] = ?");
    for (const auto& [from, to] : {std::pair{i, -1}, std::pair{j, i}, std::pair{-1, j}}) {
        QSqlQuery q(db_);
        const Result r = run(q, move, {to, listId, from});
        if (!r.ok)
            return r;
        // The positions must name one entry each, or the exchange would mix up other rows.
        if (q.numRowsAffected() != 1)
            return Result::Failed(QStringLiteral("列表中位置 %1 的项目不是唯一的一项").arg(from));
    }
    return tx.Commit();
}

Fetched<QList<TargetRow>> TPlaylistStore::Targets() const
{
    return readAll<TargetRow>(db_, QStringLiteral("select id, path from TargetList"), {}, [](const QSqlQuery& q) {
        return TargetRow{q.value(0).toString(), pathBytes(q.value(1))};
    });
}

Result TPlaylistStore::RememberTarget(const QByteArray& path)
{
    ScopedTransaction tx(db_);
    if (!tx.Begun().ok)
        return tx.Begun();
    const auto found = readAll<int>(db_, QStringLiteral("select count(*) from TargetList where path = ?"),
                                    {pathValue(path)}, [](const QSqlQuery& q) { return q.value(0).toInt(); });
    if (!found.ok)
        return found;
    if (!found.value.isEmpty() && found.value.first() > 0)
        return {};
    const Result r = runOn(db_, QStringLiteral("insert into TargetList (id, path) values (?, ?)"),
                           {ids_.Next(), pathValue(path)});
    return commitOrError(tx, r);
}

Result TPlaylistStore::DeleteTarget(const QString& id)
{
    return runOn(db_, QStringLiteral("delete from TargetList where id = ?"), {id});
}

Result TPlaylistStore::DeleteAllTargets()
{
    return runOn(db_, QStringLiteral("delete from TargetList"), {});
}
