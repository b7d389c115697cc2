#include "TagFields.h"

#include "tags/GbkCodec.h"

#include <algorithm>
#include <cstring>

namespace {

const char* fieldOf(const ID3v1Tag& tag, TagField field)
{
    switch (field) {
    case TagField::Title: return tag.Title;
    case TagField::Artist: return tag.Artist;
    case TagField::Album: return tag.Album;
    case TagField::Year: return tag.Year;
    case TagField::Comment: return tag.Comment;
    }
    return tag.Title;
}

char* fieldOf(ID3v1Tag& tag, TagField field)
{
    return const_cast<char*>(fieldOf(static_cast<const ID3v1Tag&>(tag), field));
}

bool isBlank(QChar c) { return c.unicode() <= 0x20; }

// The text's characters one by one, surrogate pairs kept whole.
template <typename Visit>
bool everyCharacter(QStringView text, Visit visit)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        if (!visit(text.sliced(i, len)))
            return false;
        i += len;
    }
    return true;
}

} // namespace

int FieldWidth(TagField field)
{
    return field == TagField::Year ? 4 : 30;
}

QString FieldCaption(TagField field)
{
    switch (field) {
    case TagField::Title: return QStringLiteral("音乐名");
    case TagField::Artist: return QStringLiteral("艺术家");
    case TagField::Album: return QStringLiteral("唱片标题");
    case TagField::Year: return QStringLiteral("发行年");
    case TagField::Comment: return QStringLiteral("附注");
    }
    return QString();
}

TagBytes FieldBytesOf(const ID3v1Tag& tag)
{
    TagBytes bytes;
    for (TagField field : kTagFields)
        bytes[Index(field)] = FieldView(fieldOf(tag, field), FieldWidth(field)).toByteArray();
    return bytes;
}

TagTexts FieldTextsOf(const TagBytes& bytes)
{
    TagTexts texts;
    for (int f = 0; f < kTagFieldCount; ++f)
        texts[f] = GbkToText(bytes[f]);
    return texts;
}

QString TrimFieldText(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin).toString();
}

FieldCheck CheckFieldText(QStringView text, int maxBytes)
{
    FieldCheck check;
    everyCharacter(text, [&check](QStringView c) {
        // A character GBK lacks does not come back from its bytes.
        if (GbkToText(TextToGbk(c)) == c)
            return true;
        check.refusal = FieldRefusal::NotGbk;
        check.character = c.toString();
        return false;
    });
    if (check.refusal == FieldRefusal::None && TextToGbk(text).size() > maxBytes)
        check.refusal = FieldRefusal::TooLong;
    return check;
}

QString RefusalText(TagField field, const FieldCheck& check)
{
    switch (check.refusal) {
    case FieldRefusal::TooLong:
        return QStringLiteral("%1最多%2个字节（一个汉字占2个字节）。")
            .arg(FieldCaption(field))
            .arg(FieldWidth(field));
    case FieldRefusal::NotGbk:
        return QStringLiteral("字符“%1”不能保存在ID3TAG中（GBK编码中没有这个字符）。").arg(check.character);
    case FieldRefusal::None:
        break;
    }
    return QString();
}

ID3v1Tag PrepareTag(const TagTexts& texts, const TagTexts& readTexts)
{
    ID3v1Tag tag {};
    ClearID3Tag(tag);
    for (TagField field : kTagFields) {
        const int f = Index(field);
        if (texts[f].isEmpty() || texts[f] == readTexts[f])
            continue;
        const int width = FieldWidth(field);
        const QByteArray bytes = TextToGbk(texts[f], width);
        std::memcpy(fieldOf(tag, field), bytes.constData(), std::min<qsizetype>(bytes.size(), width));
    }
    return tag;
}
