#pragma once

#include <QByteArray>
#include <QList>

// The list of items a file operation takes: each full path followed by one NUL, the whole list
// followed by one more NUL.

// Appends one path (its NUL included) to a list under construction.
void AppendSource(QByteArray& list, const QByteArray& path);

// Ends a list built with AppendSource: the second NUL after the last path.
QByteArray EndSourceList(QByteArray list);

// The paths of a list, in order. Reading stops at the first empty path, so a list that lacks its
// final NUL still yields every complete path.
QList<QByteArray> SplitSourceList(const QByteArray& list);
