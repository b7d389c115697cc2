#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(QByteArrayView bytes);

// The text that shows a native file name: UTF-8 when valid, else GBK when it
// decodes, else UTF-8 with each bad byte written as \xNN. A path is shown
// component by component. Only for showing; system calls take the bytes.
QString DisplayName(QByteArrayView name);
