#include "tags/NameText.h"

#include "tags/GbkCodec.h"

#include <algorithm>

namespace {

// Length of the valid UTF-8 sequence at bytes[i], or 0 when it is not one.
qsizetype sequenceLength(QByteArrayView bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char c = at(i);
    if (c < 0x80)
        return 1;
    qsizetype len = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        if (c == 0xE0)
            lo = 0xA0;
        else if (c == 0xED)
            hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        if (c == 0xF0)
            lo = 0x90;
        else if (c == 0xF4)
            hi = 0x8F;
    } else {
        return 0;
    }
    if (i + len > bytes.size())
        return 0;
    if (at(i + 1) < lo || at(i + 1) > hi)
        return 0;
    for (qsizetype k = 2; k < len; ++k)
        if (at(i + k) < 0x80 || at(i + k) > 0xBF)
            return 0;
    return len;
}

} // namespace

bool IsValidUtf8(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype len = sequenceLength(bytes, i);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

namespace {

QString componentText(QByteArrayView name)
{
    if (IsValidUtf8(name))
        return QString::fromUtf8(name);
    if (IsGbk(name))
        return GbkToText(name);
    QString text;
    qsizetype i = 0;
    while (i < name.size()) {
        const qsizetype len = sequenceLength(name, i);
        if (len > 0) {
            text += QString::fromUtf8(name.sliced(i, len));
            i += len;
        } else {
            text += QStringLiteral("\\x")
                    + QString::number(static_cast<unsigned char>(name[i]), 16).toUpper().rightJustified(2, u'0');
            ++i;
        }
    }
    return text;
}

} // namespace

QString DisplayName(QByteArrayView name)
{
    if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(name);
    if (IsValidUtf8(name))
        return QString::fromUtf8(name);
    // Each folder of a path may come from elsewhere; "/" is never part of a
    // GBK character, so the components decode one by one.
    QString text;
    qsizetype start = 0;
    while (true) {
        const qsizetype slash = name.indexOf('/', start);
        const qsizetype end = slash < 0 ? name.size() : slash;
        text += componentText(name.sliced(start, end - start));
        if (slash < 0)
            return text;
        text += u'/';
        start = slash + 1;
    }
}
