#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The MIME types whose default application would open a file's bytes or a URL such as "mailto:...":
// the file's own type, its aliases and parents, or the URL scheme's handler type.
QStringList HandlerTypes(const QByteArray& pathOrUrl);

// The desktop entry the desktop opens the first of these types with, as `xdg-mime` answers;
// empty when none is registered or xdg-mime is missing.
QString DefaultApplication(const QStringList& mimeTypes);
