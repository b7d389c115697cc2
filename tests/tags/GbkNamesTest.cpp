#include "tags/GbkCodec.h"
#include "tags/NameText.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <string>

namespace {

const QByteArray kNihaoGbk("\xC4\xE3\xBA\xC3", 4); // 你好

TEST(GbkCodec, DecodesAndChecks)
{
    EXPECT_EQ(GbkToText(kNihaoGbk), QStringLiteral("你好"));
    EXPECT_EQ(GbkToText("plain"), QStringLiteral("plain"));
    EXPECT_TRUE(IsGbk(kNihaoGbk));
    EXPECT_TRUE(IsGbk("ascii"));
    EXPECT_FALSE(IsGbk("caf\xE9"));              // Latin-1: a lead byte with no partner
    EXPECT_FALSE(IsGbk(QByteArray("\xC4\x20", 2))); // a blank is no trail byte
    EXPECT_FALSE(IsGbk("\xFF\xFF"));
    EXPECT_EQ(GbkToText(QByteArray("ab\xC4", 3)), QStringLiteral("ab") + QChar::ReplacementCharacter);
}

TEST(GbkCodec, EncodesWithinTheByteLimitWithoutSplittingACharacter)
{
    EXPECT_EQ(TextToGbk(QStringLiteral("你好")), kNihaoGbk);
    EXPECT_EQ(TextToGbk(QStringLiteral("你好"), 3), kNihaoGbk.left(2));
    EXPECT_EQ(TextToGbk(QStringLiteral("a你好"), 4), QByteArray("a") + kNihaoGbk.left(2));
    EXPECT_EQ(TextToGbk(QStringLiteral("abcdef"), 4), "abcd");
    EXPECT_EQ(TextToGbk(QStringLiteral("ab"), 30), "ab");
}

TEST(GbkCodec, ComparesByGbkBytesWithAsciiLettersFolded)
{
    EXPECT_EQ(CompareGbkNoCase(u"abc", u"ABC"), 0);
    EXPECT_LT(CompareGbkNoCase(u"a", u"B"), 0);
    EXPECT_LT(CompareGbkNoCase(u"Z", u"_"), 0); // letters fold to upper case
    EXPECT_LT(CompareGbkNoCase(u"a", u"_"), 0);
    EXPECT_LT(CompareGbkNoCase(u"ab", u"abc"), 0);
    EXPECT_LT(CompareGbkNoCase(u"10KB", u"9KB"), 0);
    // GBK: 啊 B0A1 < 阿 B0A2 < 中 D6D0; Unicode has 中 first.
    EXPECT_LT(CompareGbkNoCase(u"啊", u"阿"), 0);
    EXPECT_LT(CompareGbkNoCase(u"阿", u"中"), 0);
    EXPECT_LT(CompareGbkNoCase(u"z", u"啊"), 0);
}

TEST(GbkCodec, SortKeysOrderAsTheComparison)
{
    const QStringList texts =
        QStringLiteral("abc ABC a B _ ab 10KB 9KB 啊 阿 中 z a啊 A阿b").split(u' ');
    for (const QString& a : texts)
        for (const QString& b : texts) {
            std::string keyA;
            std::string keyB;
            AppendGbkSortKey(a, keyA);
            AppendGbkSortKey(b, keyB);
            const int byKeys = keyA.compare(keyB);
            const int byTexts = CompareGbkNoCase(a, b);
            EXPECT_EQ((byKeys > 0) - (byKeys < 0), (byTexts > 0) - (byTexts < 0))
                << a.toStdString() << " " << b.toStdString();
        }
}

TEST(DisplayName, Utf8ThenGbkThenEscapedBytes)
{
    EXPECT_EQ(DisplayName("song.mp3"), QStringLiteral("song.mp3"));
    EXPECT_EQ(DisplayName(QStringLiteral("中文.mp3").toUtf8()), QStringLiteral("中文.mp3"));
    EXPECT_EQ(DisplayName(kNihaoGbk + ".mp3"), QStringLiteral("你好.mp3"));
    EXPECT_EQ(DisplayName("caf\xE9.wav"), QStringLiteral("caf\\xE9.wav"));
    EXPECT_EQ(DisplayName(QByteArray("\xE4\xB8\xAD\xFF", 4)), QStringLiteral("中\\xFF"));
}

TEST(DisplayName, PathsDecodeFolderByFolder)
{
    // The UTF-8 bytes of 中文 would also read as GBK, as other characters.
    const QByteArray path = "/music/" + QStringLiteral("中文").toUtf8() + "/" + kNihaoGbk + ".mp3";
    EXPECT_EQ(DisplayName(path), QStringLiteral("/music/中文/你好.mp3"));
    EXPECT_EQ(DisplayName("/a/caf\xE9/"), QStringLiteral("/a/caf\\xE9/"));
}

TEST(DisplayName, StrictUtf8)
{
    EXPECT_TRUE(IsValidUtf8(QStringLiteral("中文 ok").toUtf8()));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE4\xB8"));         // cut short
}

} // namespace
