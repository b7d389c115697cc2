#include "tags/ui/TagFields.h"
#include "tags/ui/TitleToName.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

QByteArray fieldBytes(const char* field, int width) { return QByteArray(field, width); }

QByteArray padded(const QByteArray& bytes, int width) { return bytes + QByteArray(width - bytes.size(), '\0'); }

// Fifteen ideographs: thirty GBK bytes, a full field.
const QString kThirtyBytes = QStringLiteral("春眠不觉晓处处闻啼鸟夜来风雨声");

} // namespace

TEST(TagFieldRules, RecordHoldsEachTextInItsFieldAndLeavesEmptyFieldsEmpty)
{
    TagTexts texts;
    texts[Index(TagField::Title)] = QStringLiteral("月光");
    texts[Index(TagField::Year)] = QStringLiteral("99");
    texts[Index(TagField::Comment)] = QStringLiteral("live");
    const ID3v1Tag tag = PrepareTag(texts, {});

    EXPECT_EQ(QByteArray(tag.Header, 3), "TAG");
    EXPECT_EQ(fieldBytes(tag.Title, 30), padded("\xd4\xc2\xb9\xe2", 30));
    EXPECT_EQ(fieldBytes(tag.Year, 4), QByteArray("99\0\0", 4));
    EXPECT_EQ(fieldBytes(tag.Comment, 30), padded("live", 30));
    // Empty fields stay zero, so the file keeps its own values for them; the genre is never given.
    EXPECT_EQ(fieldBytes(tag.Artist, 30), QByteArray(30, '\0'));
    EXPECT_EQ(fieldBytes(tag.Album, 30), QByteArray(30, '\0'));
    EXPECT_EQ(tag.Genre, 0);
}

TEST(TagFieldRules, TextLongerThanItsFieldIsCutBetweenCharacters)
{
    TagTexts texts;
    texts[Index(TagField::Title)] = kThirtyBytes;
    texts[Index(TagField::Artist)] = QStringLiteral("a") + kThirtyBytes; // 31 bytes
    const ID3v1Tag tag = PrepareTag(texts, {});
    EXPECT_EQ(fieldBytes(tag.Title, 30), TextToGbk(kThirtyBytes));
    // One ASCII letter and fourteen ideographs; the fifteenth would not fit whole.
    EXPECT_EQ(fieldBytes(tag.Artist, 30), TextToGbk(QStringLiteral("a") + kThirtyBytes.left(14)) + '\0');
}

TEST(TagFieldRules, UnchangedTextLeavesItsFieldToTheFileEvenWhereGbkCannotDecodeIt)
{
    ID3v1Tag read {};
    ClearID3Tag(read);
    // A Latin-1 title: 0xE9 is a GBK lead byte without its partner.
    std::memcpy(read.Title, "  Beyonc\xe9", 10);
    std::memcpy(read.Artist, "Old", 3);
    const TagBytes bytes = FieldBytesOf(read);
    const TagTexts texts = FieldTextsOf(bytes);
    EXPECT_EQ(bytes[Index(TagField::Title)], "Beyonc\xe9");
    EXPECT_TRUE(texts[Index(TagField::Title)].startsWith(QStringLiteral("Beyonc")));

    TagTexts edited = texts;
    edited[Index(TagField::Artist)] = QStringLiteral("New");
    const ID3v1Tag tag = PrepareTag(edited, texts);
    EXPECT_EQ(fieldBytes(tag.Title, 30), QByteArray(30, '\0'));
    EXPECT_EQ(fieldBytes(tag.Artist, 30), padded("New", 30));
}

TEST(TagFieldRules, TrimRemovesBlanksAndControlsAtTheEndsOnly)
{
    EXPECT_EQ(TrimFieldText(u"\t  a b \x01\n"), QStringLiteral("a b"));
    EXPECT_EQ(TrimFieldText(u" \t "), QString());
    EXPECT_EQ(TrimFieldText(u"歌 名"), QStringLiteral("歌 名"));
}

TEST(TagFieldRules, CheckCountsGbkBytesAndRefusesCharactersGbkLacks)
{
    EXPECT_EQ(CheckFieldText(kThirtyBytes, 30).refusal, FieldRefusal::None);
    EXPECT_EQ(CheckFieldText(kThirtyBytes + u'a', 30).refusal, FieldRefusal::TooLong);
    EXPECT_EQ(CheckFieldText(u"1999", 4).refusal, FieldRefusal::None);
    EXPECT_EQ(CheckFieldText(u"19999", 4).refusal, FieldRefusal::TooLong);
    EXPECT_EQ(CheckFieldText(u"歌", 1).refusal, FieldRefusal::TooLong);

    const FieldCheck emoji = CheckFieldText(QStringLiteral("ab😀c"), 30);
    EXPECT_EQ(emoji.refusal, FieldRefusal::NotGbk);
    EXPECT_EQ(emoji.character, QStringLiteral("😀"));
    EXPECT_EQ(CheckFieldText(QStringLiteral("กขค"), 30).refusal, FieldRefusal::NotGbk);
    EXPECT_EQ(CheckFieldText(QString(QChar::ReplacementCharacter), 30).refusal, FieldRefusal::NotGbk);

    EXPECT_EQ(RefusalText(TagField::Year, CheckFieldText(u"19999", 4)),
              QStringLiteral("发行年最多4个字节（一个汉字占2个字节）。"));
    EXPECT_TRUE(RefusalText(TagField::Title, emoji).contains(QStringLiteral("😀")));
    EXPECT_TRUE(RefusalText(TagField::Title, FieldCheck {}).isEmpty());
}

TEST(TitleFileNames, EachModeJoinsTitleAndArtistAndEndsInLowerCaseMp3)
{
    EXPECT_EQ(TitleFileName(0, QStringLiteral("Song"), QStringLiteral("Art")), "Song.mp3");
    EXPECT_EQ(TitleFileName(1, QStringLiteral("Song"), QStringLiteral("Art")), "Art-Song.mp3");
    EXPECT_EQ(TitleFileName(2, QStringLiteral("Song"), QStringLiteral("Art")), "Song-Art.mp3");
    EXPECT_EQ(TitleFileName(1, QStringLiteral("Song"), QString()), "-Song.mp3");
    EXPECT_EQ(TitleFileName(2, QStringLiteral("Song"), QString()), "Song-.mp3");
    EXPECT_TRUE(TitleFileName(3, QStringLiteral("Song"), QString()).isEmpty());
    EXPECT_TRUE(TitleFileName(-1, QStringLiteral("Song"), QString()).isEmpty());
    // UTF-8, whatever code page the tag used.
    EXPECT_EQ(TitleFileName(0, QStringLiteral("月光"), QString()), "\xe6\x9c\x88\xe5\x85\x89.mp3");
}

TEST(TitleFileNames, NamesThatWouldLeaveTheFolderOrCannotExistAreRefused)
{
    EXPECT_TRUE(TitleFileName(0, QStringLiteral("a/b"), QString()).isEmpty());
    EXPECT_TRUE(TitleFileName(0, QStringLiteral("../up"), QString()).isEmpty());
    EXPECT_TRUE(TitleFileName(1, QStringLiteral("t"), QStringLiteral("AC/DC")).isEmpty());
    EXPECT_TRUE(TitleFileName(0, QStringLiteral("a") + QChar(0) + QStringLiteral("b"), QString()).isEmpty());
    // A name starting with "." would hide the file.
    EXPECT_TRUE(TitleFileName(0, QStringLiteral(".."), QString()).isEmpty());
    EXPECT_TRUE(TitleFileName(2, QStringLiteral(".hidden"), QStringLiteral("Art")).isEmpty());
    EXPECT_TRUE(TitleFileName(1, QStringLiteral("Song"), QStringLiteral(".Art")).isEmpty());
    EXPECT_EQ(TitleFileName(0, QStringLiteral("a.."), QString()), "a...mp3");
    // Bytes that are no GBK character: the file keeps its name rather than take a name of stand-ins.
    for (const QByteArray& bytes : {QByteArray("\xAA\xA1"), QByteArray("a\xFF"), QByteArray("b\x81")}) {
        const QString title = GbkToText(bytes);
        EXPECT_TRUE(TitleFileName(0, title, QString()).isEmpty()) << bytes.toHex().constData();
        EXPECT_TRUE(TitleFileName(1, QStringLiteral("Song"), title).isEmpty()) << bytes.toHex().constData();
    }
    EXPECT_EQ(TitleFileName(0, QString(251, u'x'), QString()).size(), 255);
    EXPECT_TRUE(TitleFileName(0, QString(252, u'x'), QString()).isEmpty());
    // 84 ideographs are 252 bytes of UTF-8.
    EXPECT_TRUE(TitleFileName(0, QString(84, QChar(0x6B4C)), QString()).isEmpty());
}

TEST(TitleFileNames, Mp3AnywhereInTheNameAnyCase)
{
    EXPECT_TRUE(ContainsMp3("a.mp3"));
    EXPECT_TRUE(ContainsMp3("B.Mp3"));
    EXPECT_TRUE(ContainsMp3("c.MP3.bak"));
    EXPECT_TRUE(ContainsMp3("\xb8\xe8.mp3"));
    EXPECT_FALSE(ContainsMp3("d.mp4"));
    EXPECT_FALSE(ContainsMp3("mp3"));
    EXPECT_FALSE(ContainsMp3("e_mp3"));
}
