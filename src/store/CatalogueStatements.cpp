#include "CatalogueStatements.h"

namespace Statements {

Bound SelectListDetail(const QString& listId)
{
    return {QStringLiteral("select * from listdetail where id = ? order by [order]"), {listId}};
}

Bound DeleteListDetail(const QString& listId)
{
    return {QStringLiteral("delete from listdetail where id = ?"), {listId}};
}

bool Exec(QSqlQuery& query, const Bound& statement)
{
    if (!query.prepare(statement.text))
        return false;
    for (const QVariant& value : statement.values)
        query.addBindValue(value);
    return query.exec();
}

} // namespace Statements
