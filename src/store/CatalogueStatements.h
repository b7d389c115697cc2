#pragma once

#include <QString>

// The statements of the catalogue layer itself; the play list store owns those on its tables.
namespace Statements {

inline const QString kSelectOptions = QStringLiteral("select * from [option]");

} // namespace Statements
