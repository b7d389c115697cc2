// The folder commands of the tree menu, through the main window's real trees.
#include "FolderOpsFixture.h"

#include "fileops/ui/utNewFolder.h"
#include "player/TMp3Play.h"

#include <QFile>
#include <QPushButton>

#include <sys/mount.h>

namespace {

using Kind = FolderTreeModel::NodeKind;

class FolderTreeOps : public FolderOpsWindow {
protected:
    // Makes the node of this kind under the desktop the active tree's selection.
    void SelectSpecial(Kind kind)
    {
        TFolderTree* tree = Source()->Tree();
        const QModelIndex root = tree->Model().RootIndex();
        if (kind == Kind::Desktop) {
            tree->SelectNode(root);
        } else {
            for (int row = 0; row < tree->Model().rowCount(root); ++row) {
                if (tree->Model().Kind(tree->Model().index(row, 0, root)) == kind)
                    tree->SelectNode(tree->Model().index(row, 0, root));
            }
        }
        ASSERT_EQ(tree->Model().Kind(tree->SelectedNode()), kind);
        win->SetActivePane(win->ActiveFileList(), tree, win->ActiveStatusBar());
    }
    QList<bool> States() const
    {
        emit win->Popup(QStringLiteral("pmFolderTv"))->aboutToShow();
        QList<bool> states;
        for (const char* name :
             {"pmiRefresh", "pmiFolderCopy", "pmiFolderCut", "pmiFolderNew", "pmiFolderDelete", "pmiFolderRename"})
            states.append(Item(name)->isEnabled());
        return states;
    }
    QString LastText() const { return msg->shown.isEmpty() ? QString() : msg->shown.last().text; }
    QLineEdit* NameEditor() const { return Source()->Tree()->findChild<QLineEdit*>(QStringLiteral("edtNodeName")); }
    // Edits the name of the selected source folder through the menu and confirms it with Enter.
    void Rename(const QString& name)
    {
        Run("pmiFolderRename");
        QLineEdit* editor = NameEditor();
        ASSERT_NE(editor, nullptr);
        editor->setText(name);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    // Starts the silent playback of an MP3 file copied into the folder.
    void PlayIn(const QByteArray& folder)
    {
        const QByteArray file = folder + "/cbr.mp3";
        ASSERT_TRUE(QFile::copy(QStringLiteral(MELVANE_FIXTURES "/player/cbr.mp3"), QFile::decodeName(file)));
        win->PlayFile(file);
        ASSERT_EQ(win->Head().PlayingFile, file);
    }
};

} // namespace

TEST_F(FolderTreeOps, TheMenuFollowsTheSelectedNode)
{
    // refresh, copy, cut, new, delete, rename
    SelectSpecial(Kind::Desktop);
    EXPECT_EQ(States(), (QList<bool>{true, true, true, true, false, false}));
    SelectSpecial(Kind::Trash);
    EXPECT_EQ(States(), (QList<bool>{true, false, false, true, false, true}));
    SelectSpecial(Kind::Network);
    EXPECT_EQ(States(), (QList<bool>{true, false, false, true, false, true}));
    // The home folder and the computer are copied, never moved, trashed or renamed.
    SelectSpecial(Kind::Home);
    EXPECT_EQ(States(), (QList<bool>{true, true, false, true, false, false}));
    SelectSpecial(Kind::Computer);
    EXPECT_EQ(States(), (QList<bool>{true, true, false, true, false, false}));
    Open(Source(), dir.MakeDir("music/a"));
    EXPECT_EQ(States(), (QList<bool>{true, true, true, true, true, true}));

    // The desktop's name is never edited, from the menu or when the tree itself starts the editor.
    SelectSpecial(Kind::Desktop);
    Item("pmiFolderRename")->trigger();
    Source()->Tree()->EditSelectedName();
    EXPECT_EQ(NameEditor(), nullptr);
}

TEST_F(FolderTreeOps, CopyRefusesTheSameFolderAndItsOwnSubfolders)
{
    const QByteArray a = dir.MakeDir("music/a/sub");
    Open(Target(), music + "/a");
    Open(Source(), music + "/a");
    Run("pmiFolderCopy");
    EXPECT_EQ(LastText(), "源文件夹与目标文件夹相同！不能复制！");
    EXPECT_EQ(msg->shown.last().kind, MsgKind::Warning);

    Open(Target(), a);
    Open(Source(), music + "/a");
    Run("pmiFolderCopy");
    EXPECT_EQ(LastText(), "不能将文件夹复制到它自己的子文件夹中！");
    EXPECT_EQ(msg->shown.size(), 2);
    EXPECT_TRUE(ops->requests.isEmpty());
    EXPECT_EQ(msg->unanswered, 0);
}

TEST_F(FolderTreeOps, CopyAsksWhateverTheOptionSaysAndShowsTheCopyInTheOtherTree)
{
    dir.MakeFile("music/a/1.mp3", "one");
    const QByteArray b = dir.MakeDir("music/b");
    win->Head().bConfirmation = false;
    Open(Target(), b);
    Open(Source(), music + "/a");

    msg->answers = {MsgResult::No};
    Run("pmiFolderCopy");
    EXPECT_TRUE(ops->requests.isEmpty());
    EXPECT_FALSE(Exists(b + "/a"));

    msg->answers = {MsgResult::Yes};
    Run("pmiFolderCopy");
    ASSERT_EQ(msg->shown.size(), 2);
    EXPECT_EQ(msg->shown[1].text, "复制\r“" + QString::fromUtf8(music) + "/a”\r到\r“" + QString::fromUtf8(b) + "”吗？");
    EXPECT_EQ(msg->shown[1].buttons, MsgButtons::YesNo);
    ASSERT_EQ(ops->requests.size(), 1);
    EXPECT_EQ(ops->requests[0].title, "复制“a”到“b”。");
    EXPECT_EQ(ops->requests[0].kind, FileOpKind::Copy);
    EXPECT_EQ(TempFolder::ReadBytes(b + "/a/1.mp3"), "one");
    EXPECT_EQ(TempFolder::ReadBytes(music + "/a/1.mp3"), "one");
    // The other tree read its folder again and shows the copy.
    EXPECT_TRUE(Target()->Tree()->Model().Resolve(b + "/a").isValid());
    EXPECT_EQ(Target()->Tree()->SelectedPath(), b);
}

TEST_F(FolderTreeOps, MovingTheFolderOfThePlayingFileStopsPlaybackEvenOnNo)
{
    const QByteArray a = dir.MakeDir("music/a");
    const QByteArray b = dir.MakeDir("music/b");
    PlayIn(a);
    Open(Target(), b);
    Open(Source(), a);
    msg->answers = {MsgResult::No};
    Run("pmiFolderCut");
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    EXPECT_EQ(win->Mp3Play().GetState(), 0);
    EXPECT_EQ(LastText(), "剪切\r“" + QString::fromUtf8(a) + "”\r到\r“" + QString::fromUtf8(b) + "”吗？");
    EXPECT_TRUE(IsDir(a));
    EXPECT_TRUE(ops->requests.isEmpty());
}

TEST_F(FolderTreeOps, AFolderMovedIntoItselfOrItsSubfolderIsRefusedWithNothingMoved)
{
    const QByteArray sub = dir.MakeDir("music/a/sub");
    dir.MakeFile("music/a/1.mp3", "one");
    for (const QByteArray& into : {music + "/a", sub}) {
        Open(Target(), into);
        Open(Source(), music + "/a");
        Run("pmiFolderCut");
    }
    ASSERT_EQ(msg->shown.size(), 2);
    EXPECT_EQ(msg->shown[0].text, "源文件夹与目标文件夹相同！不能剪切！");
    EXPECT_EQ(msg->shown[1].text, "不能将文件夹剪切到它自己或它的子文件夹中！");
    EXPECT_TRUE(ops->requests.isEmpty());
    EXPECT_EQ(TempFolder::ReadBytes(music + "/a/1.mp3"), "one");
    EXPECT_TRUE(IsDir(sub));
}

TEST_F(FolderTreeOps, AMovedFolderLeavesItsTreeOnTheParentAndShowsInTheOther)
{
    dir.MakeFile("music/a/1.mp3", "one");
    const QByteArray b = dir.MakeDir("music/b");
    Open(Target(), b);
    Open(Source(), music + "/a");
    msg->answers = {MsgResult::Yes};
    Run("pmiFolderCut");
    ASSERT_EQ(ops->requests.size(), 1);
    EXPECT_EQ(ops->requests[0].title, "剪切“a”到“b”。");
    EXPECT_EQ(TempFolder::ReadBytes(b + "/a/1.mp3"), "one");
    EXPECT_FALSE(Exists(music + "/a"));
    EXPECT_EQ(Source()->Tree()->SelectedPath(), music);
    EXPECT_FALSE(Source()->Tree()->Model().Resolve(music + "/a").isValid());
    EXPECT_TRUE(Target()->Tree()->Model().Resolve(b + "/a").isValid());
}

TEST_F(FolderTreeOps, DeletingTheFolderBothPanesShowMovesBothTreesUpAndListsBothPanes)
{
    dir.MakeFile("music/a/1.mp3", "one");
    dir.MakeFile("music/2.mp3", "two");
    Open(Target(), music + "/a");
    Open(Source(), music + "/a");
    ASSERT_EQ(Source()->List()->model()->rowCount(), 1);
    ops->confirmAnswers = {true};
    Run("pmiFolderDelete");
    ASSERT_EQ(ops->requests.size(), 1);
    EXPECT_EQ(ops->requests[0].title, "确实要删除文件夹“a”并将所有内容移入回收站吗？");
    EXPECT_EQ(ops->requests[0].kind, FileOpKind::Trash);
    EXPECT_FALSE(Exists(music + "/a"));
    EXPECT_TRUE(msg->shown.isEmpty());
    for (TFolderPane* pane : {Source(), Target()}) {
        EXPECT_EQ(pane->Tree()->SelectedPath(), music);
        EXPECT_EQ(pane->CurrentFolder(), music + "/");
        // The parent's list: the folder a is gone, 2.mp3 shows.
        ASSERT_EQ(pane->List()->model()->rowCount(), 1);
        EXPECT_EQ(pane->List()->model()->index(0, 0).data(kNameBytesRole).toByteArray(), "2.mp3");
    }
}

TEST_F(FolderTreeOps, ATrashedFolderStaysWhenTheTrashQuestionIsAnsweredNo)
{
    dir.MakeFile("music/a/1.mp3");
    Open(Source(), music + "/a");
    ops->confirmAnswers = {false};
    Run("pmiFolderDelete");
    EXPECT_TRUE(IsDir(music + "/a"));
    EXPECT_EQ(Source()->Tree()->SelectedPath(), music + "/a");
}

TEST_F(FolderTreeOps, AFolderOnAnotherMountGoesIntoThatMountsTrash)
{
    const QByteArray mnt = dir.MakeDir("mnt");
    if (::mount("tmpfs", mnt.constData(), "tmpfs", 0, "size=1m,mode=0755") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here; the test needs root";
    const QByteArray album = mnt + "/album";
    ASSERT_EQ(::mkdir(album.constData(), 0755), 0);
    ASSERT_TRUE(TempFolder::WriteBytes(album + "/1.mp3", "one"));
    Open(Source(), album);
    ops->confirmAnswers = {true};
    Run("pmiFolderDelete");
    const QByteArray trashed = mnt + "/.Trash-" + QByteArray::number(::getuid()) + "/files/album/1.mp3";
    EXPECT_EQ(TempFolder::ReadBytes(trashed), "one");
    EXPECT_FALSE(Exists(album));
    EXPECT_EQ(Source()->Tree()->SelectedPath(), mnt);
    ::umount2(mnt.constData(), MNT_DETACH);
}

TEST_F(FolderTreeOps, ANewFolderIsCreatedTrimmedAndAnExistingNameIsRefusedInsideTheDialog)
{
    dir.MakeDir("music/old");
    Open(Source(), music);
    Source()->Tree()->setFocus();
    bool stayedOpen = false;
    ASSERT_TRUE(WithDialog<TwinNewFolder>([this] { Run("pmiFolderNew"); }, [&](TwinNewFolder& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "新建文件夹");
        EXPECT_EQ(dialog.findChild<QLineEdit*>("edtCurrFolder")->text(), QString::fromUtf8(music + "/"));
        auto* name = dialog.findChild<QLineEdit*>("edtNewFolder");
        auto* ok = dialog.findChild<QPushButton*>("btnOk");
        ok->click();
        EXPECT_EQ(msg->shown.last().text, "请输入新文件夹名！");
        Type(name, "old");
        ok->click();
        EXPECT_EQ(msg->shown.last().text, "该文件夹已经存在！请使用其它文件夹名！");
        stayedOpen = dialog.isVisible();
        EXPECT_EQ(name->text(), "old");
        Type(name, "  new one \t");
        QTest::keyClick(name, Qt::Key_Return);
        EXPECT_EQ(name->text(), "new one");
    }));
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(IsDir(music + "/new one"));
    EXPECT_TRUE(Source()->Tree()->Model().Resolve(music + "/new one").isValid());
    EXPECT_EQ(msg->shown.size(), 2);

    // A name of two levels is no folder name; Cancel creates nothing.
    ASSERT_TRUE(WithDialog<TwinNewFolder>([this] { Run("pmiFolderNew"); }, [&](TwinNewFolder& dialog) {
        Type(dialog.findChild<QLineEdit*>("edtNewFolder"), "x/y");
        dialog.findChild<QPushButton*>("btnOk")->click();
    }));
    EXPECT_EQ(msg->shown.last().text, "文件夹创建失败！");
    EXPECT_EQ(msg->shown.last().kind, MsgKind::Error);
    ASSERT_TRUE(WithDialog<TwinNewFolder>([this] { Run("pmiFolderNew"); }, [&](TwinNewFolder& dialog) {
        Type(dialog.findChild<QLineEdit*>("edtNewFolder"), "kept out");
        dialog.findChild<QPushButton*>("btnCancel")->click();
    }));
    EXPECT_FALSE(Exists(music + "/x"));
    EXPECT_FALSE(Exists(music + "/kept out"));
}

TEST_F(FolderTreeOps, RenameInPlaceNeverReplacesAndRefusesNamesThatAreNoName)
{
    dir.MakeFile("music/a/1.mp3", "one");
    dir.MakeFile("music/b/2.mp3", "two");
    Open(Source(), music + "/a");
    Rename("b");
    EXPECT_EQ(LastText(), "Rename to b failed");
    EXPECT_EQ(TempFolder::ReadBytes(music + "/a/1.mp3"), "one");
    EXPECT_EQ(TempFolder::ReadBytes(music + "/b/2.mp3"), "two");
    for (const char* bad : {"x/y", "..", "."}) {
        Rename(QString::fromLatin1(bad));
        EXPECT_EQ(LastText(), "Rename to " + QString::fromLatin1(bad) + " failed");
    }
    EXPECT_EQ(msg->shown.size(), 4);

    Rename("c");
    EXPECT_EQ(msg->shown.size(), 4);
    EXPECT_EQ(TempFolder::ReadBytes(music + "/c/1.mp3"), "one");
    EXPECT_FALSE(Exists(music + "/a"));
    EXPECT_EQ(Source()->Tree()->SelectedPath(), music + "/c");

    // Esc leaves the name as it was.
    Run("pmiFolderRename");
    ASSERT_NE(NameEditor(), nullptr);
    NameEditor()->setText("d");
    QTest::keyClick(NameEditor(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(IsDir(music + "/c"));
    EXPECT_FALSE(Exists(music + "/d"));
}

TEST_F(FolderTreeOps, EditingTheNameOfThePlayingFilesFolderStopsPlaybackFirst)
{
    const QByteArray a = dir.MakeDir("music/a");
    PlayIn(a);
    Open(Source(), a);
    Run("pmiFolderRename");
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    ASSERT_NE(NameEditor(), nullptr);
    NameEditor()->setText("renamed");
    QTest::keyClick(NameEditor(), Qt::Key_Return);
    EXPECT_TRUE(Exists(music + "/renamed/cbr.mp3"));
    // The pane keeps its folder: the Enter that confirmed the name is no click on the tree.
    EXPECT_EQ(win->Head().SourcePath, a + "/");
}

TEST_F(FolderTreeOps, AGbkNamedFolderKeepsItsBytesThroughCopyMoveRenameAndTrash)
{
    const QByteArray gbk = "\xd2\xf4\xc0\xd6";   // 音乐 in GBK
    dir.MakeFile("music/" + gbk + "/1.mp3", "one");
    const QByteArray b = dir.MakeDir("music/b");
    const QByteArray c = dir.MakeDir("music/c");
    Open(Target(), b);
    Open(Source(), music + "/" + gbk);
    msg->answers = {MsgResult::Yes, MsgResult::Yes};
    Run("pmiFolderCopy");
    EXPECT_EQ(TempFolder::ReadBytes(b + "/" + gbk + "/1.mp3"), "one");

    Open(Target(), c);
    Open(Source(), b + "/" + gbk);
    Run("pmiFolderCut");
    EXPECT_EQ(TempFolder::ReadBytes(c + "/" + gbk + "/1.mp3"), "one");
    EXPECT_FALSE(Exists(b + "/" + gbk));

    // A sub-folder renamed below the GBK folder keeps the parent's bytes.
    dir.MakeDir("music/c/" + gbk + "/x");
    Open(Source(), c + "/" + gbk + "/x");
    Rename("y");
    EXPECT_TRUE(IsDir(c + "/" + gbk + "/y"));

    Open(Source(), c + "/" + gbk);
    ops->confirmAnswers = {true};
    Run("pmiFolderDelete");
    EXPECT_FALSE(Exists(c + "/" + gbk));
    EXPECT_EQ(TempFolder::ReadBytes(qgetenv("XDG_DATA_HOME") + "/Trash/files/" + gbk + "/1.mp3"), "one");
    EXPECT_EQ(msg->unanswered, 0);
}
