#include "PlaylistHarness.h"

#include "playlists/ui/utCustomList.h"
#include "playlists/ui/utNewList.h"

#include <QLineEdit>
#include <QSqlQuery>
#include <QPushButton>

namespace {

const QByteArray kQuoted = "/music/it's \"live\".mp3";
const QByteArray kGbk = "/music/\xB8\xE8\xC7\xFA.mp3";

} // namespace

TEST_F(PlaylistHarness, TheCurrentListShowsOnOpenAndOnEveryChangeOfRowWithItsCounts)
{
    const QString a = newList("a"), b = newList("b"), empty = newList("empty");
    ASSERT_TRUE(store->SaveEntries(a, {kQuoted, kGbk, kQuoted}).ok);
    ASSERT_TRUE(store->SaveEntries(b, {"/b.mp3"}).ok);
    start();
    EXPECT_EQ(shown(), (QList<QByteArray>{kQuoted, kGbk, kQuoted}));
    EXPECT_EQ(lvListDetail->model()->index(1, 0).data(kNameBytesRole).toByteArray(), kGbk);
    EXPECT_EQ(lvListDetail->model()->index(1, 0).data().toString(), "/music/歌曲.mp3");
    EXPECT_EQ(lvListDetail->model()->headerData(0, Qt::Horizontal).toString(), "文件名");
    EXPECT_EQ(status(0), "文件数:3");
    EXPECT_EQ(status(1), "选择数:0");

    selectRows(lvListDetail, {0, 2});
    EXPECT_EQ(status(1), "选择数:2");
    QTest::mouseClick(dbgList->viewport(), Qt::LeftButton, {}, dbgList->visualRect(dbgList->model()->index(1, 1)).center());
    EXPECT_EQ(shown(), QList<QByteArray>{"/b.mp3"});
    EXPECT_EQ(status(0), "文件数:1");
    EXPECT_EQ(status(1), "选择数:0");
    dbgList->selectRow(2);
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(status(0), "文件数:0");
    EXPECT_EQ(status(1), "选择数:0");

    // Refresh reads what another program wrote.
    ASSERT_TRUE(store->SaveEntries(empty, {"/late.mp3"}).ok);
    playlists->pmiListRefreshClick();
    EXPECT_EQ(shown(), QList<QByteArray>{"/late.mp3"});

    QTest::mouseClick(lvListDetail->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(active, lvListDetail);
}

TEST_F(PlaylistHarness, FilesFromTheChooserGoOnTheEndDuplicatesIncluded)
{
    start();
    chooser.answers = {{"/x.mp3"}};
    playlists->aListAddFileExecute();
    EXPECT_EQ(chooser.calls, 0);

    const QString a = newList("a");
    ASSERT_TRUE(playlists->qryList().Open().ok);
    ASSERT_TRUE(store->SaveEntries(a, {"/x.mp3"}).ok);
    playlists->pmiListRefreshClick();
    chooser.answers = {{"/x.mp3", kGbk}, {}};
    playlists->aListAddFileExecute();
    EXPECT_EQ(chooser.title, "添加文件");
    const QList<QByteArray> expected{"/x.mp3", "/x.mp3", kGbk};
    EXPECT_EQ(shown(), expected);
    EXPECT_EQ(storedEntries(a), expected);
    EXPECT_EQ(status(0), "文件数:3");
    // Cancelled: nothing changes.
    playlists->aListAddFileExecute();
    EXPECT_EQ(storedEntries(a), expected);
}

TEST_F(PlaylistHarness, UpAndDownMoveTheFirstSelectedEntryInViewAndStore)
{
    const QString a = newList("a");
    ASSERT_TRUE(store->SaveEntries(a, {"/X", "/Y", "/Z"}).ok);
    start();
    selectRows(lvListDetail, {1});
    playlists->aListUpExecute();
    EXPECT_EQ(shown(), (QList<QByteArray>{"/Y", "/X", "/Z"}));
    EXPECT_EQ(storedEntries(a), shown());
    EXPECT_EQ(lvListDetail->SelectedRows(), QList<int>{0});

    playlists->aListUpExecute();  // Y is first: nothing
    selectRows(lvListDetail, {2});
    playlists->aListDownExecute();  // Z is last: nothing
    selectRows(lvListDetail, {0, 2});
    playlists->aListUpExecute();  // the first selected cannot move, the third is not considered
    EXPECT_EQ(storedEntries(a), (QList<QByteArray>{"/Y", "/X", "/Z"}));

    selectRows(lvListDetail, {0, 2});
    playlists->aListDownExecute();
    EXPECT_EQ(shown(), (QList<QByteArray>{"/X", "/Y", "/Z"}));
    EXPECT_EQ(storedEntries(a), shown());
    EXPECT_EQ(lvListDetail->SelectedRows(), (QList<int>{1, 2}));

    pcMain->setCurrentIndex(0);
    selectRows(lvListDetail, {1});
    playlists->aListUpExecute();
    EXPECT_EQ(storedEntries(a), (QList<QByteArray>{"/X", "/Y", "/Z"}));
}

TEST_F(PlaylistHarness, PaneFilesMakeANewListAndSwitchToItsTab)
{
    newList("old");
    start();
    head.SourcePath = "/src/";
    head.TargetPath = "/music/\xB8\xE8/";
    setRows(lvTarget, {"1.mp3", "it's.mp3", "3.mp3"});
    selectRows(lvTarget, {2, 0});
    active = lvTarget;
    pcMain->setCurrentIndex(0);

    // Cancelled: no list and no tab change.
    WhenModal([](QWidget* w) { w->close(); });
    playlists->pmiFileAdd2NewClick();
    EXPECT_EQ(store->Lists().value.size(), 1);
    EXPECT_EQ(pcMain->currentIndex(), 0);

    WhenModal([](QWidget* w) {
        auto* dialog = qobject_cast<TwinNewList*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->edtListName()->setText("from pane");
        QTest::mouseClick(dialog->btnOk(), Qt::LeftButton);
    });
    playlists->pmiFileAdd2NewClick();
    const auto lists = store->Lists().value;
    ASSERT_EQ(lists.size(), 2);
    const QList<QByteArray> expected{"/music/\xB8\xE8/1.mp3", "/music/\xB8\xE8/3.mp3"};
    EXPECT_EQ(storedEntries(lists[1].id), expected);
    EXPECT_EQ(shown(), expected);
    EXPECT_EQ(playlists->qryList().CurrentId(), lists[1].id);
    EXPECT_EQ(pcMain->currentIndex(), 1);
}

TEST_F(PlaylistHarness, ANewListWhoseEntriesCannotBeStoredIsNotMadeAtAll)
{
    start();
    head.SourcePath = "/src/";
    setRows(lvSource, {"1.mp3"});
    selectRows(lvSource, {0});
    active = lvSource;
    QSqlQuery(catalogue.Database())
        .exec(QStringLiteral("create trigger refuse before insert on listdetail begin select raise(abort, 'disk full'); end"));

    WhenModal([this](QWidget* w) {
        auto* dialog = qobject_cast<TwinNewList*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->edtListName()->setText("half");
        QTest::mouseClick(dialog->btnOk(), Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible());
        dialog->close();
    });
    playlists->pmiFileAdd2NewClick();
    EXPECT_EQ(msg.layerErrors.size(), 1);
    EXPECT_TRUE(msg.layerErrors.value(0).contains(QStringLiteral("disk full")));
    EXPECT_TRUE(store->Lists().value.isEmpty());
    EXPECT_EQ(playlists->qryList().RecordCount(), 0);
}

TEST_F(PlaylistHarness, PaneFilesGoOnTheEndOfAChosenListAndTheFolderTabStays)
{
    const QString a = newList("a"), b = newList("b");
    ASSERT_TRUE(store->SaveEntries(b, {"/b0.mp3"}).ok);
    start();
    head.SourcePath = "/src/";
    setRows(lvSource, {"s1.mp3", "s2.mp3"});
    selectRows(lvSource, {0, 1});
    active = lvSource;
    pcMain->setCurrentIndex(0);

    WhenModal([](QWidget* w) {
        auto* dialog = qobject_cast<TwinCustomList*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "自定义播放列表");
        dialog->dbgList()->selectRow(1);
        QTest::mouseClick(dialog->btnOk(), Qt::LeftButton);
    });
    playlists->pmiFileAdd2OldClick();
    EXPECT_EQ(storedEntries(b), (QList<QByteArray>{"/b0.mp3", "/src/s1.mp3", "/src/s2.mp3"}));
    EXPECT_EQ(playlists->qryList().CurrentId(), b);
    EXPECT_EQ(shown(), storedEntries(b));
    EXPECT_EQ(pcMain->currentIndex(), 0);
    EXPECT_TRUE(storedEntries(a).isEmpty());

    // Cancel leaves everything.
    WhenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    playlists->pmiFileAdd2OldClick();
    EXPECT_EQ(storedEntries(b).size(), 3);
}

TEST_F(PlaylistHarness, TheChooserWithNoListAddsNothing)
{
    start();
    setRows(lvSource, {"s1.mp3"});
    selectRows(lvSource, {0});
    active = lvSource;
    WhenModal([](QWidget* w) {
        auto* dialog = qobject_cast<TwinCustomList*>(w);
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(dialog->btnOk(), Qt::LeftButton);
    });
    playlists->pmiFileAdd2OldClick();
    QSqlQuery q(catalogue.Database());
    ASSERT_TRUE(q.exec("select count(*) from listdetail"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    EXPECT_TRUE(msg.layerErrors.isEmpty());
}

TEST_F(PlaylistHarness, RemovingEntriesAlwaysAsksStopsThePlayingOneAndKeepsFiles)
{
    const QString a = newList("a");
    ASSERT_TRUE(store->SaveEntries(a, {"/1", kGbk, "/3", kGbk}).ok);
    start();
    head.bConfirmation = false;
    active = lvListDetail;

    actions["aFileDelete"]->trigger();
    ASSERT_EQ(msg.shown.size(), 1);
    EXPECT_EQ(msg.shown[0].text, "请选择需要删除的文件！");
    EXPECT_EQ(msg.shown[0].kind, MsgKind::Information);

    selectRows(lvListDetail, {1, 2});
    head.PlayingFile = kGbk;
    msg.answers = {MsgResult::No, MsgResult::Yes};
    lvListDetail->setFocus();
    QTest::keyClick(lvListDetail, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(msg.shown.last().text, "确实要删除列表中选择的文件吗？");
    EXPECT_EQ(msg.shown.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(storedEntries(a).size(), 4);
    EXPECT_EQ(stops, 0);

    QTest::keyClick(lvListDetail, Qt::Key_Delete);
    EXPECT_EQ(stops, 1);
    const QList<QByteArray> rest{"/1", kGbk};
    EXPECT_EQ(shown(), rest);
    EXPECT_EQ(storedEntries(a), rest);
    EXPECT_EQ(status(0), "文件数:2");

    // Nothing happens without an active list, nor on the folder tab.
    active = nullptr;
    selectRows(lvListDetail, {0});
    actions["aFileDelete"]->trigger();
    active = lvListDetail;
    pcMain->setCurrentIndex(0);
    actions["aFileDelete"]->trigger();
    EXPECT_EQ(msg.shown.size(), 3);
}

TEST_F(PlaylistHarness, AFailedRewriteReportsTheLayersTextAndLeavesTheStoredListWhole)
{
    const QString a = newList("a");
    const QList<QByteArray> before{"/1", "/2", "/boom", "/4"};
    ASSERT_TRUE(store->SaveEntries(a, before).ok);
    start();
    {
        TCatalogue other;
        ASSERT_TRUE(other.Open(appPath));
        ASSERT_TRUE(other.Execute("create trigger refuse before insert on listdetail when new.filename = '/boom' "
                                  "begin select raise(abort, 'injected failure'); end"));
    }
    active = lvListDetail;
    selectRows(lvListDetail, {0});
    msg.answers = {MsgResult::Yes};
    actions["aFileDelete"]->trigger();
    ASSERT_EQ(msg.layerErrors.size(), 1);
    EXPECT_TRUE(msg.layerErrors[0].contains("injected failure"));
    EXPECT_EQ(storedEntries(a), before);
}
