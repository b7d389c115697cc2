#pragma once

#include <QByteArrayView>

// Wildcard matching with the Windows meaning: "*" any run, "?" one byte,
// ASCII letters without case; "*.*" matches every name, and a mask ending in
// ".*" also matches the name without that dot.
bool MatchesMask(QByteArrayView name, QByteArrayView mask);
