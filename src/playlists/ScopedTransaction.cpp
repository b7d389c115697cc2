#include "ScopedTransaction.h"

#include "store/TCatalogue.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

Result run(const QSqlDatabase& db, const QString& statement)
{
    QSqlQuery q(db);
    if (!q.exec(statement))
        return Result::Failed(CatalogueErrorText(q.lastError()));
    return {};
}

} // namespace

ScopedTransaction::ScopedTransaction(QSqlDatabase db) : db_(std::move(db))
{
    begun_ = run(db_, QStringLiteral("BEGIN IMMEDIATE"));
    open_ = begun_.ok;
}

ScopedTransaction::~ScopedTransaction()
{
    if (open_)
        run(db_, QStringLiteral("ROLLBACK"));
}

Result ScopedTransaction::Commit()
{
    if (!open_)
        return begun_.ok ? Result::Failed(QStringLiteral("no transaction")) : begun_;
    Result r = run(db_, QStringLiteral("COMMIT"));
    // A failed COMMIT leaves the transaction open; the destructor rolls it back.
    if (r.ok)
        open_ = false;
    return r;
}
