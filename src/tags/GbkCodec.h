#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <string>

// GBK (code page 936): the code page of tag texts and of names made on Chinese
// Windows. Characters are one byte (0x00..0x80) or two (lead 0x81..0xFE).

// True when the bytes are well-formed GBK and every character is assigned.
bool IsGbk(QByteArrayView bytes);

// Undecodable bytes become U+FFFD.
QString GbkToText(QByteArrayView bytes);

// At most maxBytes bytes (no limit when negative), never ending in the first
// half of a double-byte character. Characters GBK lacks become a substitute.
QByteArray TextToGbk(QStringView text, qsizetype maxBytes = -1);

// Compares as the GBK bytes of the two texts would compare, with the ASCII
// letters folded to upper case and every other byte by its value.
// Returns <0, 0 or >0. Meant for the user-interface thread (it caches per thread).
int CompareGbkNoCase(QStringView a, QStringView b);

// Appends two bytes per UTF-16 unit of text; such keys compared as unsigned bytes, the shorter
// first on a common start, order as CompareGbkNoCase orders the texts. Same thread rule.
void AppendGbkSortKey(QStringView text, std::string& key);
