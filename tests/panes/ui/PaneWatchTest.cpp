// A pane follows its folder on disk: files made, removed and renamed by others show by
// themselves, with the selection kept; where the folder cannot be watched, refreshing by hand
// still works.
#include "PaneFixture.h"
#include "panes/ui/TFileListView.h"

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
};

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
