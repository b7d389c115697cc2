// A pane follows its folder on disk: files made, removed and renamed by others show by
// themselves, with the selection kept; where the folder cannot be watched, refreshing by hand
// still works.
#include "PaneFixture.h"
#include "panes/ui/TFileListView.h"

#include <QDir>

#include <sys/stat.h>

#include <cstdio>

namespace {

// A watch that the system refuses, as when its limit is reached.
class RefusedWatch final : public FolderWatch {
public:
    bool Watch(const QByteArray&) override { return false; }
    void Unwatch(const QByteArray&) override {}
    void Flush() override {}
};

class PaneWatchTest : public FolderPaneTest {
protected:
    QByteArray InDesktop(const char* name) const { return desktop + "/" + name; }

    QString SelectedCaption() const
    {
        const QModelIndexList rows = pane->List()->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows[0].data().toString() : QString();
    }

    QStringList SortedCaptions()
    {
        QStringList captions = Captions();
        captions.sort();
        return captions;
    }

    // Whether the tree shows this sub-folder under the node, as it is now (without reading it).
    bool Shows(TFolderPane& in, const QModelIndex& node, const QByteArray& name)
    {
        FolderTreeModel& model = in.Tree()->Model();
        for (int row = 0; row < model.rowCount(node); ++row) {
            if (model.Path(model.index(row, 0, node)) == node.data(FolderTreeModel::PathRole).toByteArray() + "/" + name)
                return true;
        }
        return false;
    }

    // The system's inotify watches on this folder, in this process.
    static int WatchesOn(const QByteArray& folder)
    {
        struct stat st {};
        if (::stat(folder.constData(), &st) != 0)
            return -1;
        const QByteArray inode = "ino:" + QByteArray::number(qulonglong(st.st_ino), 16) + ' ';
        int watches = 0;
        for (const QString& fd : QDir(QStringLiteral("/proc/self/fdinfo")).entryList(QDir::Files)) {
            QFile info(QStringLiteral("/proc/self/fdinfo/") + fd);
            if (!info.open(QIODevice::ReadOnly))
                continue;
            for (const QByteArray& line : info.readAll().split('\n'))
                watches += line.startsWith("inotify wd:") && line.contains(inode) ? 1 : 0;
        }
        return watches;
    }

    void ListFolder(TFolderPane& in, const QByteArray& folder)
    {
        ASSERT_TRUE(in.Tree()->SelectPath(folder));
        in.dtvSourceClick();
    }
};

TEST_F(PaneWatchTest, ListAndTreeOnOneFolderBothFollowItBeforeAndAfterItsNodeIsClosedAndOpened)
{
    BuildAndShow();
    const QModelIndex root = TreeModel().RootIndex();
    Tree()->expand(root);
    for (const char* round : {"1", "2"}) {
        tmp.MakeSizedFile(QByteArray("Desktop/") + round + ".wav", 10);
        QTRY_VERIFY_WITH_TIMEOUT(Captions().contains(QString::fromLatin1(round) + ".wav"), 1000);
        tmp.MakeDir(QByteArray("Desktop/d") + round);
        QTRY_VERIFY_WITH_TIMEOUT(Shows(*pane, root, QByteArray("d") + round), 1000);
        Tree()->collapse(root);
        Tree()->expand(root);
    }
    EXPECT_EQ(WatchesOn(desktop), 1);
}

TEST_F(PaneWatchTest, AListedFolderRenamedOutsideShowsGoneAndAFolderOfItsOldNameIsWatchedOnceListed)
{
    tmp.MakeDir("Desktop/music");
    tmp.MakeSizedFile("Desktop/music/a.wav", 10);
    BuildAndShow();
    ListFolder(*pane, desktop + "/music");
    ASSERT_EQ(Captions(), QStringList({"a.wav"}));

    ASSERT_EQ(::rename((desktop + "/music").constData(), (desktop + "/moved").constData()), 0);
    // Shown as a folder that is not there: no rows, zero counts.
    QTRY_COMPARE_WITH_TIMEOUT(Captions(), QStringList(), 1000);
    EXPECT_FALSE(pane->Watching());
    EXPECT_EQ(Panel(0), QStringLiteral("文件数:0"));
    QTRY_VERIFY_WITH_TIMEOUT(Shows(*pane, TreeModel().RootIndex(), "moved"), 1000);
    EXPECT_FALSE(Shows(*pane, TreeModel().RootIndex(), "music"));
    // What happens in the moved folder is no news of the old name.
    tmp.MakeSizedFile("Desktop/moved/b.wav", 10);
    QTest::qWait(200);
    EXPECT_EQ(Captions(), QStringList());

    tmp.MakeDir("Desktop/music");
    pane->FillFileList();
    EXPECT_TRUE(pane->Watching());
    tmp.MakeSizedFile("Desktop/music/new.wav", 10);
    QTRY_COMPARE_WITH_TIMEOUT(Captions(), QStringList({"new.wav"}), 1000);
    EXPECT_EQ(WatchesOn(desktop + "/moved"), 0);
}

TEST_F(PaneWatchTest, AFolderListedAndOpenInBothTreesIsWatchedOnceAndStaysWatchedAsEitherTreeLetsGo)
{
    tmp.MakeDir("Desktop/music");
    BuildAndShow();
    TFolderPane other(PaneSide::Target, head, msg, chooser, FolderTreeModel::Places {desktop, root, root + "/no-mounts"});
    other.SetupFileColumns();
    other.dtvSourceClick();
    ListFolder(*pane, desktop + "/music");
    const QByteArray music = desktop + "/music";
    for (TFolderPane* p : {pane.get(), &other})
        p->Tree()->expand(p->Tree()->Model().Resolve(music));
    EXPECT_EQ(WatchesOn(music), 1);
    EXPECT_EQ(WatchesOn(desktop), 1);

    int made = 0;
    for (TFolderPane* p : {pane.get(), &other}) {
        p->Tree()->collapse(p->Tree()->Model().Resolve(music));
        EXPECT_EQ(WatchesOn(music), 1);
        const QByteArray name = "f" + QByteArray::number(++made) + ".wav";
        tmp.MakeSizedFile("Desktop/music/" + name, 10);
        QTRY_VERIFY_WITH_TIMEOUT(Captions().contains(QString::fromLatin1(name)), 1000);
    }
    // Nodes that leave the tree give their holds up, open sub-folders and all.
    tmp.MakeDir("Desktop/music/sub");
    FolderTreeModel& tree = other.Tree()->Model();
    other.Tree()->expand(tree.Resolve(music));
    other.Tree()->expand(tree.Resolve(music + "/sub"));
    ASSERT_EQ(WatchesOn(music + "/sub"), 1);
    ASSERT_EQ(::rename(music.constData(), (desktop + "/elsewhere").constData()), 0);
    QTRY_COMPARE_WITH_TIMEOUT(WatchesOn(desktop + "/elsewhere/sub"), 0, 1000);
}

TEST_F(PaneWatchTest, FilesMadeRemovedAndRenamedOutsideShowWithTheSelectionKept)
{
    tmp.MakeSizedFile("Desktop/a.wav", 10);
    tmp.MakeSizedFile("Desktop/b.wav", 10);
    BuildAndShow();
    ASSERT_TRUE(pane->Watching());
    const QModelIndex b = pane->ListModel().index(static_cast<int>(Captions().indexOf(QStringLiteral("b.wav"))), 0);
    pane->List()->selectionModel()->select(b, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    tmp.MakeSizedFile("Desktop/c.wav", 10);
    QTRY_COMPARE_WITH_TIMEOUT(SortedCaptions(), QStringList({"a.wav", "b.wav", "c.wav"}), 1000);
    ::unlink(InDesktop("a.wav").constData());
    QTRY_COMPARE_WITH_TIMEOUT(SortedCaptions(), QStringList({"b.wav", "c.wav"}), 1000);
    ::rename(InDesktop("c.wav").constData(), InDesktop("d.wav").constData());
    QTRY_COMPARE_WITH_TIMEOUT(SortedCaptions(), QStringList({"b.wav", "d.wav"}), 1000);

    EXPECT_EQ(SelectedCaption(), QStringLiteral("b.wav"));
    EXPECT_EQ(Panel(0), QStringLiteral("文件数:2"));
    EXPECT_EQ(Panel(1), QStringLiteral("选择数:1"));
}

TEST_F(PaneWatchTest, AFileThatGrowsUnderASortBySizeMovesToItsPlaceStillSelected)
{
    tmp.MakeSizedFile("Desktop/a.wav", 1024);
    tmp.MakeSizedFile("Desktop/b.wav", 2048);
    tmp.MakeSizedFile("Desktop/c.wav", 3072);
    BuildAndShow();
    pane->lvSourceColumnClick(pane->ListModel().ColumnOf(QStringLiteral("大小")));
    ASSERT_EQ(Captions(), QStringList({"a.wav", "b.wav", "c.wav"}));
    pane->List()->selectionModel()->select(pane->ListModel().index(0, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);

    tmp.MakeSizedFile("Desktop/a.wav", 4096);
    QTRY_COMPARE_WITH_TIMEOUT(Captions(), QStringList({"b.wav", "c.wav", "a.wav"}), 1000);
    EXPECT_EQ(SelectedCaption(), QStringLiteral("a.wav"));
}

TEST_F(PaneWatchTest, AFolderMadeOrRemovedUnderAnOpenTreeNodeShowsInTheTree)
{
    BuildAndShow();
    tmp.MakeDir("Desktop/new");
    QTRY_VERIFY_WITH_TIMEOUT(Node(desktop + "/new").isValid(), 1000);
    ::rmdir((desktop + "/new").constData());
    QTRY_VERIFY_WITH_TIMEOUT(!Node(desktop + "/new").isValid(), 1000);
}

TEST_F(PaneWatchTest, AFolderThatWentAndCameBackIsWatchedAgainOnceListed)
{
    BuildAndShow();
    ASSERT_EQ(::rmdir(desktop.constData()), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!pane->Watching(), 1000);
    tmp.MakeDir("Desktop");
    pane->FillFileList();
    EXPECT_TRUE(pane->Watching());
    tmp.MakeSizedFile("Desktop/back.wav", 10);
    QTRY_COMPARE_WITH_TIMEOUT(Captions(), QStringList({"back.wav"}), 1000);
}

TEST_F(PaneWatchTest, TenThousandFilesCopiedInEndWithTheRightCount)
{
    BuildAndShow();
    // Written between turns of the event loop, as another program's copy would be.
    for (int i = 0; i < 10000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Desktop/f%05d.wav", i);
        tmp.MakeSizedFile(name, 100);
        if (i % 500 == 0)
            QCoreApplication::processEvents();
    }
    QTRY_COMPARE_WITH_TIMEOUT(pane->ListModel().RowCount(), 10000, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(Panel(0), QStringLiteral("文件数:10000"), 1000);
}

TEST_F(PaneWatchTest, WhereTheFolderCannotBeWatchedRefreshingByHandStillLists)
{
    tmp.MakeSizedFile("Desktop/a.wav", 10);
    BuildAndShow(std::make_unique<RefusedWatch>());
    EXPECT_FALSE(pane->Watching());
    EXPECT_EQ(Captions(), QStringList({"a.wav"}));

    tmp.MakeSizedFile("Desktop/b.wav", 10);
    QTest::qWait(400);
    EXPECT_EQ(Captions(), QStringList({"a.wav"}));
    pane->FillFileList();
    EXPECT_EQ(SortedCaptions(), QStringList({"a.wav", "b.wav"}));
}

} // namespace

TEST_F(PaneWatchTest, ABurstOfChangesAroundTheSelectedFileNeverMovesTheSelectionToAnother)
{
    for (const char* name : {"a.wav", "m.wav", "z.wav"})
        tmp.MakeSizedFile(QByteArray("Desktop/") + name, 10);
    BuildAndShow();
    pane->lvSourceColumnClick(0);
    ASSERT_EQ(pane->SelectNames({"m.wav"}), 1);

    // Past the names looked at one by one: the folder is read again whole.
    ::unlink(InDesktop("a.wav").constData());
    for (int i = 0; i < 600; ++i)
        tmp.MakeSizedFile("Desktop/" + QByteArray(i % 2 ? "b" : "y") + QByteArray::number(i) + ".wav", 10);
    QTRY_COMPARE_WITH_TIMEOUT(pane->ListModel().RowCount(), 602, 5000);
    EXPECT_EQ(SelectedCaption(), QStringLiteral("m.wav"));
    EXPECT_EQ(pane->List()->currentIndex().data().toString(), QStringLiteral("m.wav"));
}
