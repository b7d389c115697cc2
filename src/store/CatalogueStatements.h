#pragma once

#include <QString>

// Every statement the program runs. Only a record identifier is ever put into a statement's text, and only
// when it is digits alone; everything else goes in as bound values.
namespace Statements {

inline const QString kSelectLists = QStringLiteral("select * from list");
inline const QString kSelectOptions = QStringLiteral("select * from [option]");
inline const QString kDeleteTargets = QStringLiteral("delete from TargetList");

// True for the text of a record identifier: digits only, not empty.
bool IsRecordId(const QString& id);

// The entries of one list in ascending position; empty when id is no record identifier.
QString SelectListDetail(const QString& listId);

// Removes every entry of one list; empty when id is no record identifier.
QString DeleteListDetail(const QString& listId);

} // namespace Statements
