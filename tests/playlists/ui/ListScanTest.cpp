#include "PlaylistHarness.h"

#include "support/TempFolder.h"
#include "playlists/ui/utListScan.h"
#include "tags/NameText.h"

#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

namespace {

QStringList lines(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

TwinListScan* asScan(QWidget* w)
{
    auto* dialog = qobject_cast<TwinListScan*>(w);
    EXPECT_NE(dialog, nullptr);
    return dialog;
}

// Clicks Scan and waits for the batches to finish.
void scan(TwinListScan* dialog)
{
    QTest::mouseClick(dialog->btnScan(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([dialog] { return !dialog->Scanning(); }, 10000));
}

} // namespace

class ListScanTest : public PlaylistHarness {
protected:
    void SetUp() override
    {
        PlaylistHarness::SetUp();
        root = files.Path() + "/";
        list = newList("scan");
    }

    TempFolder files{qgetenv("HOME")};
    QByteArray root;
    QString list;
};

TEST_F(ListScanTest, MissingEntriesAreListedSelectedAndRemovedAfterTheQuestion)
{
    QList<QByteArray> paths;
    for (int i = 0; i < 10; ++i) {
        const QByteArray path = root + (i == 4 ? QByteArray("\xB8\xE8") : QByteArray("f")) + QByteArray::number(i);
        paths.append(path);
        if (i != 2 && i != 4 && i != 9) {
            ASSERT_TRUE(TempFolder::WriteBytes(path, "x"));
        }
    }
    // A folder where an entry points is no file.
    files.MakeDir("f9");
    ASSERT_TRUE(store->SaveEntries(list, paths).ok);
    start();
    selectRows(lvListDetail, {0, 2});

    QStringList first, second;
    WhenModal([&](QWidget* w) {
        TwinListScan* dialog = asScan(w);
        EXPECT_EQ(dialog->windowTitle(), "扫描列表");
        EXPECT_EQ(dialog->Gauge()->maximum(), 9);
        // Nothing scanned yet: no question, nothing removed.
        QTest::mouseClick(dialog->btnDelete(), Qt::LeftButton);
        scan(dialog);
        first = lines(dialog->lbResult());
        EXPECT_EQ(dialog->Gauge()->value(), 9);
        EXPECT_EQ(lvListDetail->SelectedRows(), (QList<int>{2, 4, 9}));
        scan(dialog);
        second = lines(dialog->lbResult());
        QTest::mouseClick(dialog->btnDelete(), Qt::LeftButton);
        EXPECT_EQ(lines(dialog->lbResult()), second);
        // The old lines still stand: asked again, nothing more removed.
        QTest::mouseClick(dialog->btnDelete(), Qt::LeftButton);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    msg.answers = {MsgResult::Yes, MsgResult::Yes};
    playlists->aListScanExecute();

    const QStringList expected{DisplayName(paths[2]), DisplayName(paths[4]), DisplayName(paths[9]),
                               "* * * 列表中有3个文件已经不存在 * * *"};
    EXPECT_EQ(first, expected);
    EXPECT_EQ(second, expected);
    ASSERT_EQ(msg.shown.size(), 2);
    EXPECT_EQ(msg.shown[0].text, "从列表中删除已经不存在的文件吗？");
    QList<QByteArray> rest = paths;
    rest.removeAt(9);
    rest.removeAt(4);
    rest.removeAt(2);
    EXPECT_EQ(shown(), rest);
    EXPECT_EQ(storedEntries(list), rest);
}

TEST_F(ListScanTest, AWholeListOrAnEmptyOneReportsItAndDeleteAsksNothing)
{
    for (const bool empty : {true, false}) {
        if (!empty) {
            ASSERT_TRUE(store->SaveEntries(list, {files.MakeFile("present", "x")}).ok);
        }
        if (playlists)
            playlists->pmiListRefreshClick();
        else
            start();
        QStringList result;
        WhenModal([&](QWidget* w) {
            TwinListScan* dialog = asScan(w);
            scan(dialog);
            result = lines(dialog->lbResult());
            EXPECT_EQ(dialog->Gauge()->value(), dialog->Gauge()->maximum());
            QTest::mouseClick(dialog->btnDelete(), Qt::LeftButton);
            QTest::mouseClick(dialog->btnClose(), Qt::LeftButton);
        });
        playlists->aListScanExecute();
        EXPECT_EQ(result, QStringList{"* * * 列表完整 * * *"});
    }
    EXPECT_TRUE(msg.shown.isEmpty());
    EXPECT_EQ(storedEntries(list).size(), 1);
}

TEST_F(ListScanTest, ClosingDuringALongScanStopsIt)
{
    QList<QByteArray> paths;
    for (int i = 0; i < 5000; ++i)
        paths.append(root + "missing" + QByteArray::number(i));
    ASSERT_TRUE(store->SaveEntries(list, paths).ok);
    start();
    int found = -1;
    WhenModal([&](QWidget* w) {
        TwinListScan* dialog = asScan(w);
        QTest::mouseClick(dialog->btnScan(), Qt::LeftButton);
        EXPECT_TRUE(dialog->Scanning());
        EXPECT_FALSE(dialog->btnScan()->isEnabled());
        EXPECT_FALSE(dialog->btnDelete()->isEnabled());
        QTest::mouseClick(dialog->btnClose(), Qt::LeftButton);
        EXPECT_FALSE(dialog->Scanning());
        found = dialog->lbResult()->count();
    });
    playlists->aListScanExecute();
    EXPECT_GT(found, 0);
    EXPECT_LT(found, 5000);
    EXPECT_EQ(storedEntries(list).size(), 5000);
}
