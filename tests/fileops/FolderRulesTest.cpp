// The rules of the folder commands and of the used target folders.
#include "fileops/FolderOpRules.h"
#include "fileops/TargetFolders.h"

#include <gtest/gtest.h>

using namespace FolderOps;

TEST(FolderRules, PlayingFileAndFolderNesting)
{
    EXPECT_TRUE(PlaysInside("/music/a/x.mp3", "/music/a"));
    // A folder whose name merely starts with the text counts too: stopping too often loses nothing.
    EXPECT_TRUE(PlaysInside("/music/ab/x.mp3", "/music/a"));
    EXPECT_FALSE(PlaysInside("/music/b/x.mp3", "/music/a"));
    EXPECT_FALSE(PlaysInside("", "/music/a"));
    EXPECT_FALSE(PlaysInside("/music/a/x.mp3", ""));

    EXPECT_TRUE(IsSameOrBelow("/music/a", "/music/a"));
    EXPECT_TRUE(IsSameOrBelow("/music/a", "/music/a/b/c"));
    EXPECT_FALSE(IsSameOrBelow("/music/a", "/music/ab"));
    EXPECT_FALSE(IsSameOrBelow("/music/a", "/music"));
    EXPECT_TRUE(IsSameOrBelow("/", "/music"));
    EXPECT_FALSE(IsSameOrBelow("", "/music"));
}

TEST(FolderRules, NewAndRenamedPathsStayOneLevelInTheirFolder)
{
    EXPECT_EQ(RenamedPath("/music/a", QStringLiteral("b c")), QByteArray("/music/b c"));
    EXPECT_EQ(RenamedPath("/music/\xd2\xf4", QStringLiteral("歌")), QByteArray("/music/\xe6\xad\x8c"));
    EXPECT_EQ(RenamedPath("/a", QStringLiteral("b")), QByteArray("/b"));
    for (const QString& bad : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("x/y"),
                               QStringLiteral("x") + QChar(0)})
        EXPECT_FALSE(RenamedPath("/music/a", bad).has_value()) << bad.toStdString();
    EXPECT_FALSE(RenamedPath("/", QStringLiteral("x")).has_value());
    EXPECT_FALSE(RenamedPath("trash:///", QStringLiteral("x")).has_value());

    EXPECT_EQ(NewFolderPath("/music/", QStringLiteral("new")), QByteArray("/music/new"));
    EXPECT_EQ(NewFolderPath("/music", QStringLiteral("new")), QByteArray("/music/new"));
    // Never below the program's working folder, never two levels.
    EXPECT_FALSE(NewFolderPath("", QStringLiteral("new")).has_value());
    EXPECT_FALSE(NewFolderPath("trash:////", QStringLiteral("new")).has_value());
    EXPECT_FALSE(NewFolderPath("/music/", QStringLiteral("a/b")).has_value());
}

TEST(FolderRules, MenuStatesAndTexts)
{
    const auto states = [](const char* text, bool system) {
        const MenuState s = MenuStateFor(QString::fromUtf8(text), system);
        return std::vector<bool>{s.copy, s.cut, s.remove, s.rename};
    };
    EXPECT_EQ(states("桌面", false), (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(states("回收站", false), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(states("网上邻居", false), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(states("music", false), (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(states("home", true), (std::vector<bool>{true, false, false, false}));
    EXPECT_FALSE(MayEditName(QStringLiteral("桌面")));
    EXPECT_TRUE(MayEditName(QStringLiteral("回收站")));

    EXPECT_EQ(CutQuestion("/m/\xd2\xf4", "/n"), QStringLiteral("剪切\r“/m/音”\r到\r“/n”吗？"));
    EXPECT_EQ(DeleteTitle(QStringLiteral("a")), QStringLiteral("确实要删除文件夹“a”并将所有内容移入回收站吗？"));
    EXPECT_EQ(RenameFailed(QStringLiteral("b")), QStringLiteral("Rename to b failed"));
    EXPECT_EQ(TargetTexts::Vanished("/m/\xd2\xf4"), QStringLiteral("“/m/音” 不存在或已经被移除！"));

    EXPECT_TRUE(IsSameFolder("/music/a/", "/music/a"));
    EXPECT_TRUE(IsSameFolder("/music/a/", "/music/a//"));
    EXPECT_TRUE(IsSameFolder("/", "/"));
    EXPECT_FALSE(IsSameFolder("/music/a/", "/music/ab"));
    EXPECT_FALSE(IsSameFolder("", ""));
}
