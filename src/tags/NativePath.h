#pragma once

#include <QByteArray>
#include <QString>

// The native bytes of an absolute path that the user typed or picked as text, mapped folder by
// folder: a component whose text is the shown name of an entry of the folder above (as this program
// or Qt's own dialogs show it) takes that entry's bytes, an existing UTF-8 name first; any other
// component is UTF-8. So a user reaches what lies below a folder whose name is GBK. "." and ".." are
// taken lexically, repeated "/" dropped, and no "/" ends the result but the root. Empty for a
// relative path.
QByteArray NativePathOfText(const QString& text);
