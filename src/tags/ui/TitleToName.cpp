#include "TitleToName.h"

namespace {

constexpr qsizetype kMaxNameBytes = 255;

} // namespace

bool ContainsMp3(QByteArrayView name)
{
    // Upper-casing never turns a byte above 0x7F into an ASCII one.
    return name.toByteArray().toUpper().contains(".MP3");
}

QByteArray TitleFileName(int mode, const QString& title, const QString& artist)
{
    QString name;
    switch (mode) {
    case 0: name = title; break;
    case 1: name = artist + u'-' + title; break;
    case 2: name = title + u'-' + artist; break;
    default: return QByteArray();
    }
    // Tag bytes that are no GBK character decode to stand-ins, which would make a name nobody typed.
    for (const QChar c : name)
        if (c == QChar::ReplacementCharacter || c.category() == QChar::Other_PrivateUse)
            return QByteArray();
    const QByteArray bytes = (name + QStringLiteral(".mp3")).toUtf8();
    // With ".mp3" at its end the name is never "." or "..": a slash or a zero is what would take it
    // out of its folder or cut it short, a leading "." would hide it.
    if (bytes.startsWith('.') || bytes.contains('/') || bytes.contains('\0') || bytes.size() > kMaxNameBytes)
        return QByteArray();
    return bytes;
}
