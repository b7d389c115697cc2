#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Names as the bytes the file system holds. Characters are counted as the name is shown: UTF-8
// when the bytes are valid UTF-8, otherwise GBK (one byte below 0x81, else two).

inline constexpr int kNameMax = 255;

// The offset of each character's first byte.
QList<qsizetype> CharStarts(QByteArrayView name);

// The name without its last `count` characters (empty when it has no more).
QByteArray DropLastChars(QByteArrayView name, qsizetype count);

// The longest start of the name, on a character boundary, that fits into maxBytes.
QByteArray FitToBytes(QByteArrayView name, qsizetype maxBytes);

// The last path component; "/" stays "/". A trailing "/" is ignored.
QByteArray BaseName(QByteArrayView path);
// The folder part without a trailing "/" ("/" for an item directly under the root).
QByteArray FolderOf(QByteArrayView path);
// folder + "/" + name, without doubling the "/".
QByteArray JoinPath(QByteArrayView folder, QByteArrayView name);

// The n-th name tried for an arriving item whose own name may be taken: n == 1 the name itself,
// then "stem (n).ext" for a file (the extension from the last dot that is not the first byte),
// "name (n)" for a folder. The stem is shortened so that the result fits into maxBytes, the name
// itself too.
QByteArray CollisionName(QByteArrayView name, int n, bool folder, qsizetype maxBytes = kNameMax);
