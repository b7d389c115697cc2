#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// Every statement the program runs. Values, the record identifier of a list too, go in bound, never
// into a statement's text.
namespace Statements {

inline const QString kSelectLists = QStringLiteral("select * from list");
inline const QString kSelectOptions = QStringLiteral("select * from [option]");
inline const QString kDeleteTargets = QStringLiteral("delete from TargetList");

// A statement's text with the values bound to its placeholders, in order.
struct Bound {
    QString text;
    QVariantList values;
};

// The entries of one list in ascending position.
Bound SelectListDetail(const QString& listId);

// Removes every entry of one list.
Bound DeleteListDetail(const QString& listId);

// Prepares the statement on query's connection, binds its values and runs it; false with the layer's
// error in query.lastError() when the layer refuses it.
bool Exec(QSqlQuery& query, const Bound& statement);

} // namespace Statements
