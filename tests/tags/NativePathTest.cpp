#include "support/TempFolder.h"
#include "tags/NameText.h"
#include "tags/NativePath.h"

#include <gtest/gtest.h>

#include <QFile>

TEST(NativePathOfText, TakesTheBytesOfTheEntryThatShowsAsTheTypedName)
{
    const TempFolder tmp;
    const QByteArray root = tmp.Path();
    const QByteArray gbk = tmp.MakeDir("\xd2\xf4\xc0\xd6");                                  // 音乐
    const QByteArray utf8Below = tmp.MakeDir("\xd2\xf4\xc0\xd6/" + QStringLiteral("新").toUtf8()); // UTF-8
    const QByteArray latin = tmp.MakeDir("caf\xe9");                                           // shows as caf\xE9
    const QString shownRoot = DisplayName(root);

    EXPECT_EQ(NativePathOfText(shownRoot + QStringLiteral("/音乐")), gbk);
    EXPECT_EQ(NativePathOfText(shownRoot + QStringLiteral("/音乐/新/")), utf8Below);
    EXPECT_EQ(NativePathOfText(shownRoot + QStringLiteral("//音乐/./新/../新")), utf8Below);
    EXPECT_EQ(NativePathOfText(shownRoot + QStringLiteral("/caf\\xE9")), latin);
    // What is not there stays UTF-8, so that a folder typed ahead of time is looked for as text.
    EXPECT_EQ(NativePathOfText(shownRoot + QStringLiteral("/音乐/旧")), gbk + "/" + QStringLiteral("旧").toUtf8());
    EXPECT_EQ(NativePathOfText(QStringLiteral("/")), "/");
    EXPECT_EQ(NativePathOfText(QStringLiteral("音乐")), "");
    // Qt's own dialogs show a name that is not UTF-8 through the locale's codec.
    EXPECT_EQ(NativePathOfText(shownRoot + u'/' + QFile::decodeName("\xd2\xf4\xc0\xd6") + QStringLiteral("/新")),
              utf8Below);
}

TEST(NativePathOfText, AnExistingUtf8NameWinsOverOneThatShowsAlike)
{
    const TempFolder tmp;
    tmp.MakeDir("\xd2\xf4\xc0\xd6");
    const QByteArray utf8 = tmp.MakeDir(QStringLiteral("音乐").toUtf8());
    EXPECT_EQ(NativePathOfText(DisplayName(tmp.Path()) + QStringLiteral("/音乐")), utf8);
}
