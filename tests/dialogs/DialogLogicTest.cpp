#include "support/TempFolder.h"
#include "dialogs/AboutText.h"
#include "dialogs/HelpAndMail.h"
#include "dialogs/OptionValues.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

TEST(OptionValues, ItemIndexesAreLimitedToTheirGroups)
{
    EXPECT_EQ(LimitItemIndex(0, 2), 0);
    EXPECT_EQ(LimitItemIndex(1, 2), 1);
    EXPECT_EQ(LimitItemIndex(2, 2), 1);
    EXPECT_EQ(LimitItemIndex(5, 2), 1);
    EXPECT_EQ(LimitItemIndex(-1, 3), -1);
    EXPECT_EQ(LimitItemIndex(-7, 3), -1);
    EXPECT_EQ(LimitItemIndex(2, 3), 2);
    EXPECT_EQ(LimitItemIndex(3, 3), 2);
}

TEST(OptionValues, ControlsShowTheOptionsAndGiveThemBack)
{
    THead head;
    head.bConfirmation = true;
    head.bShowHideSys = false;
    head.bContinuous = true;
    head.iFileSizeUnit = 5;
    head.iT2FMode = -4;
    head.iTryMaxCount = 9;
    const OptionValues shown = OptionValuesOf(head);
    EXPECT_TRUE(shown.confirmation);
    EXPECT_FALSE(shown.showHideSys);
    EXPECT_TRUE(shown.continuous);
    EXPECT_EQ(shown.sizeIndex, 1);
    EXPECT_EQ(shown.t2fIndex, -1);

    THead back;
    back.iTryMaxCount = 3;
    ApplyOptionValues(shown, back);
    EXPECT_TRUE(back.bConfirmation);
    EXPECT_FALSE(back.bShowHideSys);
    EXPECT_TRUE(back.bContinuous);
    EXPECT_EQ(back.iFileSizeUnit, 1);
    EXPECT_EQ(back.iT2FMode, -1);
    EXPECT_EQ(back.iTryMaxCount, 3);
}

TEST(OptionValues, DefaultsAreTheOnesTheDialogOffers)
{
    const OptionValues d = DefaultOptionValues();
    EXPECT_TRUE(d.confirmation);
    EXPECT_FALSE(d.showHideSys);
    EXPECT_TRUE(d.continuous);
    EXPECT_EQ(d.sizeIndex, 1);
    EXPECT_EQ(d.t2fIndex, 2);
}

TEST(AboutText, HotkeyPageIsTheTypedText)
{
    QFile file(QStringLiteral(MELVANE_FIXTURES "/dialogs/hotkeys.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList expected = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    ASSERT_EQ(expected.takeLast(), QString());
    ASSERT_EQ(expected.size(), 23);
    EXPECT_EQ(HotkeyLines(), expected);
    for (int empty : {10, 17, 20})
        EXPECT_TRUE(HotkeyLines()[empty].isEmpty()) << empty + 1;
}

TEST(AboutText, VersionAndContact)
{
    EXPECT_EQ(AboutVersionText(), QStringLiteral("4.0版 ( Version 4.0 )"));
    EXPECT_TRUE(AboutContactLine().contains(QLatin1String(kContactAddress)));
    EXPECT_FALSE(AboutNote().isEmpty());
}

TEST(HelpAndMail, HelpFileIsBesideTheProgramAndMustBeAFile)
{
    TempFolder dir;
    ASSERT_TRUE(dir.IsValid());
    // A program folder whose name is GBK bytes, not UTF-8.
    const QByteArray folder = dir.MakeDir("\xd2\xf4\xc0\xd6") + "/";
    const QByteArray help = HelpFilePath(folder);
    EXPECT_EQ(help, folder + "KIROHelp.chm");
    EXPECT_FALSE(HelpFileExists(help));

    ASSERT_EQ(::mkdir(help.constData(), 0755), 0);
    EXPECT_FALSE(HelpFileExists(help)) << "a folder is no help file";
    ASSERT_EQ(::rmdir(help.constData()), 0);

    const QByteArray real = folder + "real.chm";
    FILE* f = std::fopen(real.constData(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    ASSERT_EQ(::symlink(real.constData(), help.constData()), 0);
    EXPECT_TRUE(HelpFileExists(help)) << "a link to the file will do";
    ASSERT_EQ(::unlink(real.constData()), 0);
    EXPECT_FALSE(HelpFileExists(help)) << "a dangling link will not";
}

TEST(HelpAndMail, MailGoesToTheProjectsAddress)
{
    EXPECT_EQ(MailUrl(), QByteArrayLiteral("mailto:melvanekiro@users.noreply.example"));
    EXPECT_EQ(HelpMissingText(), QStringLiteral("[MelvaneKIRO] 没有找到帮助文件 [KIROHelp.chm]！"));
}
