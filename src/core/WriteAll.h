#pragma once

#include <QByteArray>

// Writes every byte to the open file, going on after interrupted and partial writes; 0 or the errno.
int WriteAll(int fd, const QByteArray& bytes);
