#pragma once

#include <QByteArray>

// Renames without ever replacing what the new name already holds, unlike rename(2).
// Both names are native bytes, absolute or relative to the same folder descriptor.
// 0 on success, else the errno (EEXIST when the new name is taken).
int RenameNoReplace(int fromDirFd, const QByteArray& from, int toDirFd, const QByteArray& to);
int RenameNoReplace(const QByteArray& from, const QByteArray& to);
