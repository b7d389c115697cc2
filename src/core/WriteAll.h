#pragma once

#include <QByteArray>

// Writes every byte to the open file, going on after interrupted and partial writes; 0 or the errno.
int WriteAll(int fd, const QByteArray& bytes);

// WriteAll, then fsync, then close the file in any case: the bytes are on the disk when it answers 0.
int WriteSyncClose(int fd, const QByteArray& bytes);
