#include "tags/GbkCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdint>
#include <memory>

namespace {

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool isTrail(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

// ICU converters are costly to open; one per thread, reset between uses.
QStringDecoder& decoder()
{
    thread_local QStringDecoder d("GBK");
    return d;
}

QStringEncoder& encoder()
{
    thread_local QStringEncoder e("GBK");
    return e;
}

// Sort weight of one UTF-16 unit: a single GBK byte b weighs b << 8, a double
// byte its 16-bit code. Lead bytes are above every single byte, so comparing
// weights unit by unit orders like comparing the GBK bytes.
std::uint16_t computeWeight(char16_t unit)
{
    if (unit < 0x80) {
        char16_t c = unit;
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        return static_cast<std::uint16_t>(c << 8);
    }
    if (unit >= 0xD800 && unit <= 0xDFFF)
        return static_cast<std::uint16_t>('?' << 8);
    QStringEncoder& e = encoder();
    e.resetState();
    const QByteArray b = e.encode(QStringView(&unit, 1));
    if (b.size() == 1)
        return static_cast<std::uint16_t>(static_cast<unsigned char>(b[0]) << 8);
    if (b.size() == 2)
        return static_cast<std::uint16_t>(static_cast<unsigned char>(b[0]) << 8
                                          | static_cast<unsigned char>(b[1]));
    return static_cast<std::uint16_t>('?' << 8);
}

// 0 means "not yet computed"; no unit weighs 0 except NUL, which is cheap.
std::uint16_t* weightTable()
{
    thread_local std::unique_ptr<std::uint16_t[]> table(new std::uint16_t[0x10000]());
    return table.get();
}

std::uint16_t weight(std::uint16_t* table, char16_t unit)
{
    std::uint16_t& w = table[unit];
    if (w == 0 && unit != 0)
        w = computeWeight(unit);
    return w;
}

} // namespace

bool IsGbk(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c <= 0x80)
            continue;
        if (!isLead(c) || i + 1 >= bytes.size() || !isTrail(static_cast<unsigned char>(bytes[i + 1])))
            return false;
        ++i;
    }
    return !GbkToText(bytes).contains(QChar::ReplacementCharacter);
}

QString GbkToText(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder& d = decoder();
    d.resetState();
    QString text = d.decode(bytes);
    // A lead byte at the very end waits in the decoder for its partner.
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (!isLead(static_cast<unsigned char>(bytes[i]))) {
            ++i;
        } else if (i + 1 < bytes.size()) {
            i += 2;
        } else {
            text += QChar::ReplacementCharacter;
            break;
        }
    }
    d.resetState();
    return text;
}

QByteArray TextToGbk(QStringView text, qsizetype maxBytes)
{
    QByteArray bytes;
    bool ascii = true;
    for (QChar c : text)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        bytes = text.toLatin1();
    } else {
        QStringEncoder& e = encoder();
        e.resetState();
        bytes = e.encode(text);
    }
    if (maxBytes < 0 || bytes.size() <= maxBytes)
        return bytes;
    qsizetype cut = 0;
    while (cut < bytes.size()) {
        const qsizetype len = isLead(static_cast<unsigned char>(bytes[cut])) ? 2 : 1;
        if (cut + len > maxBytes)
            break;
        cut += len;
    }
    bytes.truncate(cut);
    return bytes;
}

int CompareGbkNoCase(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y)
            continue;
        const int wx = weight(weightTable(), x);
        const int wy = weight(weightTable(), y);
        if (wx != wy)
            return wx < wy ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

void AppendGbkSortKey(QStringView text, std::string& key)
{
    const std::size_t at = key.size();
    key.resize(at + 2 * static_cast<std::size_t>(text.size()));
    char* out = key.data() + at;
    std::uint16_t* const table = weightTable();
    for (QChar c : text) {
        const std::uint16_t w = weight(table, c.unicode());
        *out++ = static_cast<char>(w >> 8);
        *out++ = static_cast<char>(w & 0xFF);
    }
}
