#include "PlaylistHarness.h"

#include "playlists/ui/utNewList.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace {

TwinNewList* asNewList(QWidget* w)
{
    auto* dialog = qobject_cast<TwinNewList*>(w);
    EXPECT_NE(dialog, nullptr);
    return dialog;
}

} // namespace

TEST_F(PlaylistHarness, NewListTrimsWarnsOnABlankNameAndBecomesCurrentWithNoEntries)
{
    const QString old = newList("old");
    ASSERT_TRUE(store->SaveEntries(old, {"/a.mp3"}).ok);
    start();
    EXPECT_EQ(shown(), QList<QByteArray>{"/a.mp3"});

    QString caption;
    WhenModal([&](QWidget* w) {
        TwinNewList* dialog = asNewList(w);
        caption = dialog->windowTitle();
        EXPECT_EQ(dialog->size(), QSize(259, 187));
        QTest::keyClicks(dialog->edtListName(), "   ");
        // Enter confirms nothing: neither button is the default.
        QTest::keyClick(dialog->edtListName(), Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());
        QTest::mouseClick(dialog->btnOk(), Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->edtListName()->text(), "");
        dialog->edtListName()->setText("  新的 列表  ");
        dialog->edtListMemo()->setPlainText(" \tline 1\nx \n");
        QTest::mouseClick(dialog->btnOk(), Qt::LeftButton);
    });
    playlists->aListNewExecute();
    EXPECT_EQ(caption, "新建列表");
    ASSERT_EQ(msg.shown.size(), 1);
    EXPECT_EQ(msg.shown[0].text, "请输入自定义播放列表名！");
    EXPECT_EQ(msg.shown[0].kind, MsgKind::Warning);

    const auto lists = store->Lists().value;
    ASSERT_EQ(lists.size(), 2);
    EXPECT_EQ(lists[1].name, "新的 列表");
    EXPECT_EQ(lists[1].memo, "line 1\nx");
    EXPECT_EQ(playlists->qryList().CurrentId(), lists[1].id);
    EXPECT_EQ(dbgList->currentIndex().row(), 1);
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(status(0), "文件数:0");
    EXPECT_EQ(status(1), "选择数:0");
}

TEST_F(PlaylistHarness, TheDialogKeepsNamesAndMemosWithinTheirColumnsAndCancelWritesNothing)
{
    start();
    WhenModal([&](QWidget* w) {
        TwinNewList* dialog = asNewList(w);
        QTest::keyClicks(dialog->edtListName(), "0123456789abcdefghij");
        dialog->edtListMemo()->setPlainText("0123456789abcdef");
        EXPECT_EQ(dialog->edtListName()->text(), "0123456789abcde");
        EXPECT_EQ(dialog->edtListMemo()->toPlainText(), "0123456789");
        QTest::mouseClick(dialog->btnOk(), Qt::LeftButton);
    });
    playlists->aListNewExecute();
    ASSERT_EQ(store->Lists().value.size(), 1);
    EXPECT_TRUE(msg.layerErrors.isEmpty());

    for (const bool escape : {false, true}) {
        WhenModal([&](QWidget* w) {
            TwinNewList* dialog = asNewList(w);
            QTest::keyClicks(dialog->edtListName(), "never");
            if (escape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog->btnCancel(), Qt::LeftButton);
        });
        playlists->aListNewExecute();
    }
    EXPECT_EQ(store->Lists().value.size(), 1);
}

TEST_F(PlaylistHarness, EditingByDoubleClickChangesNameAndMemoOnlyAndOnTheFolderTabNothingShows)
{
    const QString a = newList("a");
    ASSERT_TRUE(store->UpdateList(a, "a", "memo").ok);
    ASSERT_TRUE(store->SaveEntries(a, {"/x.mp3", "/y.mp3"}).ok);
    start();
    WhenModal([&](QWidget* w) {
        TwinNewList* dialog = asNewList(w);
        EXPECT_EQ(dialog->windowTitle(), "修改列表");
        EXPECT_EQ(dialog->edtListName()->text(), "a");
        EXPECT_EQ(dialog->edtListMemo()->toPlainText(), "memo");
        dialog->edtListName()->setText("b ");
        QTest::mouseClick(dialog->btnOk(), Qt::LeftButton);
    });
    QTest::mouseDClick(dbgList->viewport(), Qt::LeftButton, {}, dbgList->visualRect(dbgList->model()->index(0, 1)).center());
    const auto lists = store->Lists().value;
    ASSERT_EQ(lists.size(), 1);
    EXPECT_EQ(lists[0].id, a);
    EXPECT_EQ(lists[0].name, "b");
    EXPECT_EQ(lists[0].memo, "memo");
    EXPECT_EQ(storedEntries(a).size(), 2);
    EXPECT_EQ(dbgList->model()->index(0, TListQuery::NameColumn).data().toString(), "b");

    pcMain->setCurrentIndex(0);
    {
        NoModalGuard guard;
        playlists->aListNewExecute();
        playlists->aListEditExecute();
        playlists->aListDeleteExecute();
        playlists->aListScanExecute();
        playlists->aListAddFileExecute();
    }
    EXPECT_TRUE(msg.shown.isEmpty());
    EXPECT_EQ(chooser.calls, 0);
    EXPECT_EQ(store->Lists().value.size(), 1);
}

TEST_F(PlaylistHarness, EditWithNoListMakesANewOne)
{
    start();
    WhenModal([&](QWidget* w) {
        TwinNewList* dialog = asNewList(w);
        EXPECT_EQ(dialog->edtListName()->text(), "");
        dialog->edtListName()->setText("first");
        QTest::mouseClick(dialog->btnOk(), Qt::LeftButton);
    });
    QTest::mouseDClick(dbgList->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    const auto lists = store->Lists().value;
    ASSERT_EQ(lists.size(), 1);
    EXPECT_EQ(lists[0].name, "first");
    EXPECT_EQ(playlists->qryList().CurrentId(), lists[0].id);
}

TEST_F(PlaylistHarness, DeletingAsksByNameAndMakesTheFollowingListCurrent)
{
    const QString a = newList("a"), b = newList("b"), c = newList("c");
    ASSERT_TRUE(store->SaveEntries(c, {"/c.mp3"}).ok);
    ASSERT_TRUE(store->SaveEntries(b, {"/b.mp3"}).ok);
    start();
    dbgList->selectRow(1);
    EXPECT_EQ(shown(), QList<QByteArray>{"/b.mp3"});

    msg.answers = {MsgResult::No, MsgResult::Yes, MsgResult::Yes, MsgResult::Yes};
    playlists->aListDeleteExecute();
    EXPECT_EQ(store->Lists().value.size(), 3);
    ASSERT_EQ(msg.shown.size(), 1);
    EXPECT_EQ(msg.shown[0].text, "确实要删除自定义播放列表“b”吗？");
    EXPECT_EQ(msg.shown[0].kind, MsgKind::Confirmation);
    EXPECT_EQ(msg.shown[0].buttons, MsgButtons::YesNo);

    QSignalSpy scrolled(&playlists->qryList(), &TListQuery::AfterScroll);
    playlists->aListDeleteExecute();
    EXPECT_EQ(scrolled.size(), 1);
    EXPECT_EQ(playlists->qryList().CurrentId(), c);
    EXPECT_EQ(dbgList->currentIndex().row(), 1);
    EXPECT_EQ(shown(), QList<QByteArray>{"/c.mp3"});
    EXPECT_TRUE(storedEntries(b).isEmpty());

    // After the last row the previous one.
    playlists->aListDeleteExecute();
    EXPECT_EQ(playlists->qryList().CurrentId(), a);
    playlists->aListDeleteExecute();
    EXPECT_EQ(playlists->qryList().RecordCount(), 0);
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(status(0), "文件数:0");

    // No list: nothing to ask about.
    const qsizetype asked = msg.shown.size();
    playlists->aListDeleteExecute();
    EXPECT_EQ(msg.shown.size(), asked);
    EXPECT_TRUE(msg.layerErrors.isEmpty());
}

TEST_F(PlaylistHarness, PopupsEnableTheirItemsByWhatThereIs)
{
    start();
    playlists->pmListPopup();
    for (const char* name : {"aListEdit", "aListDelete", "aListScan", "aListAddFile"})
        EXPECT_FALSE(actions[QLatin1String(name)]->isEnabled()) << name;
    newList("x");
    ASSERT_TRUE(playlists->qryList().Open().ok);
    playlists->pmListPopup();
    for (const char* name : {"aListEdit", "aListDelete", "aListScan", "aListAddFile"})
        EXPECT_TRUE(actions[QLatin1String(name)]->isEnabled()) << name;

    playlists->pmFileListPopup();
    EXPECT_FALSE(actions["pmiFileAdd2New"]->isEnabled());
    setRows(lvSource, {"a.mp3", "b.mp3"});
    active = lvSource;
    playlists->pmFileListPopup();
    EXPECT_FALSE(actions["pmiFileAdd2Old"]->isEnabled());
    selectRows(lvSource, {1});
    playlists->pmFileListPopup();
    EXPECT_TRUE(actions["pmiFileAdd2New"]->isEnabled());
    EXPECT_TRUE(actions["pmiFileAdd2Old"]->isEnabled());
    EXPECT_TRUE(actions["aFileTag"]->isEnabled());
    selectRows(lvSource, {0, 1});
    playlists->pmFileListPopup();
    EXPECT_FALSE(actions["aFileTag"]->isEnabled());
}
