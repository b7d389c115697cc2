// The path field: typed paths and the browse button.
#include "PaneFixture.h"
#include "tags/NameText.h"

#include <QAction>
#include <QLineEdit>
#include <QSignalSpy>

TEST_F(FolderPaneTest, TypedPathOfThreeCharactersIsIgnored)
{
    BuildAndShow();
    pane->PathField()->clear();
    QTest::keyClicks(pane->PathField(), "/..");
    EXPECT_EQ(head.SourcePath, desktop + "/");
    EXPECT_EQ(pane->PathField()->text(), "/..");
}

TEST_F(FolderPaneTest, TypedExistingFolderIsSelectedAndListed)
{
    tmp.MakeDir("Desktop/music");
    tmp.MakeSizedFile("Desktop/music/a.wav", 100);
    BuildAndShow();
    QSignalSpy treeActivated(pane.get(), &TFolderPane::TreeActivated);

    pane->PathField()->setText(QString::fromUtf8(desktop + "/nothing-here"));
    EXPECT_EQ(head.SourcePath, desktop + "/");

    pane->PathField()->setText(QString::fromUtf8(desktop + "/music"));
    EXPECT_EQ(Tree()->SelectedPath(), desktop + "/music");
    EXPECT_EQ(head.SourcePath, desktop + "/music/");
    EXPECT_EQ(pane->PathField()->text(), QString::fromUtf8(desktop + "/music/"));
    EXPECT_EQ(Captions(), QStringList{"a.wav"});
    EXPECT_EQ(treeActivated.count(), 1);
    EXPECT_TRUE(msg.layerErrors.isEmpty());

    // The "/" the user goes on to type after the name is there already.
    QTest::keyClick(pane->PathField(), '/');
    QTest::keyClick(pane->PathField(), Qt::Key_Return);
    EXPECT_EQ(pane->PathField()->text(), QString::fromUtf8(desktop + "/music/"));
}

TEST_F(FolderPaneTest, BrowseButtonGoesToTheChosenFolderByItsBytes)
{
    tmp.MakeSizedFile("elsewhere/e.mid", 100);
    // Two names that show alike: the chooser's bytes decide, not the shown text.
    const QByteArray gbk = tmp.MakeDir("\xd2\xf4\xc0\xd6");   // 音乐 in GBK
    tmp.MakeDir(QStringLiteral("音乐").toUtf8());
    tmp.MakeSizedFile("\xd2\xf4\xc0\xd6/g.wav", 100);
    BuildAndShow();
    chooser.answers = {root + "/elsewhere", std::nullopt, gbk};

    pane->BrowseAction()->trigger();
    ASSERT_EQ(chooser.calls.size(), 1);
    EXPECT_EQ(chooser.calls[0].title, QStringLiteral("选择源文件夹"));
    EXPECT_EQ(chooser.calls[0].startPath, desktop);
    EXPECT_EQ(head.SourcePath, root + "/elsewhere/");
    EXPECT_EQ(Captions(), QStringList{"e.mid"});

    pane->BrowseAction()->trigger();
    EXPECT_EQ(chooser.calls.last().startPath, root + "/elsewhere");
    EXPECT_EQ(head.SourcePath, root + "/elsewhere/") << "cancelled";

    pane->BrowseAction()->trigger();
    EXPECT_EQ(head.SourcePath, gbk + "/");
    EXPECT_EQ(Tree()->SelectedPath(), gbk);
    EXPECT_EQ(Captions(), QStringList{"g.wav"});
    EXPECT_EQ(chooser.unanswered, 0);
}

TEST_F(FolderPaneTest, TypedPathBelowAGbkFolderTakesTheFoldersBytes)
{
    const QByteArray gbk = tmp.MakeDir("Desktop/\xd2\xf4\xc0\xd6");                // 音乐
    const QByteArray inner = tmp.MakeDir("Desktop/\xd2\xf4\xc0\xd6/" + QStringLiteral("新歌").toUtf8());
    tmp.MakeSizedFile("Desktop/\xd2\xf4\xc0\xd6/" + QStringLiteral("新歌").toUtf8() + "/n.wav", 100);
    BuildAndShow();

    ASSERT_EQ(pane->PathField()->text(), DisplayName(desktop + "/"));
    Type(pane->PathField(), QStringLiteral("音乐/新歌"));
    EXPECT_EQ(head.SourcePath, inner + "/");
    EXPECT_EQ(Tree()->SelectedPath(), inner);
    EXPECT_EQ(Captions(), QStringList{"n.wav"});
    EXPECT_EQ(pane->PathField()->text(), DisplayName(inner + "/"));

    pane->PathField()->setText(DisplayName(desktop) + QStringLiteral("/音乐/../音乐"));
    EXPECT_EQ(head.SourcePath, gbk + "/");
    EXPECT_TRUE(msg.layerErrors.isEmpty());
}
