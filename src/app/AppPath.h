#pragma once

#include <QByteArray>

// The folder of the program file, ending in "/" ("/" itself for a program in the root folder).
QByteArray AppPathOf(const QByteArray& programFile);
