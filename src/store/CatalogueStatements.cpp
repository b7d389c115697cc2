#include "CatalogueStatements.h"

namespace Statements {

bool IsRecordId(const QString& id)
{
    if (id.isEmpty())
        return false;
    for (const QChar c : id) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

QString SelectListDetail(const QString& listId)
{
    if (!IsRecordId(listId))
        return {};
    return QStringLiteral("select * from listdetail where id='") + listId + QStringLiteral("' order by [order]");
}

QString DeleteListDetail(const QString& listId)
{
    if (!IsRecordId(listId))
        return {};
    return QStringLiteral("delete from listdetail where id='") + listId + QStringLiteral("'");
}

} // namespace Statements
