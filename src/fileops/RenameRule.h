#pragma once

#include <QByteArray>
#include <QString>

// The name a file takes when the user edits its caption in a pane list: the old extension is kept
// when the typed one differs (letter case counts), and a name of exactly four characters (an
// extension alone) becomes the old stem, "_", the millisecond and the extension.
struct RenamePlan {
    bool valid = false;    // false: no file can have this name ("/", ".", "..", empty, too long)
    QByteArray name;       // the new name's bytes
};

// oldName: the file's name as the folder holds it; edited: the typed text (names typed are UTF-8;
// a caption confirmed unchanged keeps the old bytes); millisecond: 0 to 999; maxBytes: the file
// system's longest name.
RenamePlan PlanRename(const QByteArray& oldName, const QString& edited, int millisecond, qsizetype maxBytes = 255);

// From the last dot to the end, dot included; empty without a dot.
QString ExtensionText(const QString& name);
QByteArray ExtensionBytes(const QByteArray& name);
