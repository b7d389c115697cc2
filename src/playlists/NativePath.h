#pragma once

#include <QByteArray>
#include <QString>

// The bytes of an absolute path that the user typed or picked as text, folder by folder: a component
// that reads like an existing entry of the folder above (as this program or Qt's dialogs show it)
// takes that entry's bytes; any other component is UTF-8. So a file below a GBK-named folder is found.
QByteArray NativePathOf(const QString& shown);
