#pragma once

#include <QByteArray>

// The folder of the program file, ending in "/" ("/" itself for a program in the root folder).
QByteArray AppPathOf(const QByteArray& programFile);

// The program file's path as the bytes the file system holds (/proc/self/exe): Qt's own answer is
// text and loses a folder name that is not UTF-8. Empty when the link cannot be read.
QByteArray RunningProgramFile();
