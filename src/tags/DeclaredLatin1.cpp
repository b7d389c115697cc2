#include "tags/DeclaredLatin1.h"

#include "tags/GbkCodec.h"

namespace {

// Only ASCII, or a well-formed GBK run that holds at least one common ideograph.
enum class Kind { Ascii, Other, CommonIdeographs };

Kind kindOf(QByteArrayView bytes)
{
    bool high = false;
    bool common = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80)
            continue;
        high = true;
        if (i + 1 == bytes.size())
            return Kind::Other;
        const auto trail = static_cast<unsigned char>(bytes[++i]);
        common = common || (lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE);
    }
    if (!high)
        return Kind::Ascii;
    return common ? Kind::CommonIdeographs : Kind::Other;
}

} // namespace

QString DeclaredLatin1Text(QByteArrayView bytes)
{
    if (kindOf(bytes) == Kind::CommonIdeographs && IsGbk(bytes))
        return GbkToText(bytes);
    return QString::fromLatin1(bytes);
}
