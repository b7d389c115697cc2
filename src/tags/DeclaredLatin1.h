#pragma once

#include <QByteArrayView>
#include <QString>

// A tag text declared ISO-8859-1 often holds GBK bytes: what Chinese tag tools wrote. Such a text is
// read as GBK when its bytes are well-formed GBK holding at least one ideograph of the common set
// (GB2312's rows B0-F7, both bytes from A1): Latin-1 words ("Café", "Müller") rarely have two accented
// letters in a row, and a lone accented letter before an ASCII letter forms only a rare GBK character.
// Anything else is Latin-1.
QString DeclaredLatin1Text(QByteArrayView bytes);
