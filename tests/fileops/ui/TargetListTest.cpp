// The used-target-folders dialog, opened from the main window with Ctrl+T.
#include "FolderOpsFixture.h"

#include "fileops/ui/utTargetList.h"
#include "playlists/TListQuery.h"
#include "playlists/ui/TListDetailView.h"
#include "playlists/ui/TPlaylists.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

namespace {

class TargetList : public FolderOpsWindow {
protected:
    void SetUp() override
    {
        FolderOpsWindow::SetUp();
        from = dir.MakeDir("music/from");
        dir.MakeFile("music/from/1.mp3", "one");
        dir.MakeFile("music/from/2.mp3", "two");
        to = dir.MakeDir("music/to");
        Open(Source(), from);
    }

    QList<QByteArray> Remembered() const
    {
        QList<QByteArray> paths;
        for (const TargetRow& row : win->Playlists().Store().Targets().value)
            paths.append(row.path);
        return paths;
    }
    // Opens the dialog through aFileTarget, or with its key Ctrl+T, and runs act while it is up.
    bool WithTargets(const std::function<void(TwinTargetList&)>& act, bool byKey = false)
    {
        return WithDialog<TwinTargetList>(
            [this, byKey] {
                if (byKey)
                    QTest::keyClick(win.get(), Qt::Key_T, Qt::ControlModifier);
                else
                    win->Action(QStringLiteral("aFileTarget"))->trigger();
            },
            act);
    }
    static void Click(TwinTargetList& dialog, const char* button)
    {
        dialog.findChild<QPushButton*>(QLatin1String(button))->click();
    }
    static QLineEdit* Field(TwinTargetList& dialog) { return dialog.findChild<QLineEdit*>("edtCurr"); }
    static void DoubleClickRow(TwinTargetList& dialog, int row)
    {
        auto* grid = dialog.findChild<QTableView*>("dbgList");
        const QModelIndex at = grid->model()->index(row, 0);
        grid->setCurrentIndex(at);
        emit grid->doubleClicked(at);
    }

    QByteArray from;
    QByteArray to;
};

} // namespace

TEST_F(TargetList, ACopyRemembersItsFolderOnceAndClosesTheDialog)
{
    SelectNames(Source(), {"1.mp3"});
    chooser->answers = {to, to};
    bool closed = false;
    ASSERT_TRUE(WithTargets([&](TwinTargetList& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "目标文件夹列表");
        Click(dialog, "btnBrowse");
        EXPECT_EQ(Field(dialog)->text(), QString::fromUtf8(to));
        Click(dialog, "btnCopy");
        closed = !dialog.isVisible();
    }, true));
    EXPECT_TRUE(closed);
    ASSERT_EQ(chooser->calls.size(), 1);
    EXPECT_EQ(chooser->calls[0].title, "选择目标文件夹");
    ASSERT_EQ(ops->requests.size(), 1);
    EXPECT_EQ(ops->requests[0].title, "从 “from” 向目标文件夹复制文件...");
    EXPECT_EQ(TempFolder::ReadBytes(to + "/1.mp3"), "one");
    EXPECT_FALSE(Exists(to + "/2.mp3"));
    EXPECT_EQ(Remembered(), QList<QByteArray>{to});
    // No question came first, whatever the option says.
    EXPECT_TRUE(msg->shown.isEmpty());

    // A fresh dialog: the field is empty again; the second copy adds no record.
    ASSERT_TRUE(WithTargets([&](TwinTargetList& dialog) {
        EXPECT_TRUE(Field(dialog)->text().isEmpty());
        Click(dialog, "btnBrowse");
        Click(dialog, "btnCopy");
    }));
    EXPECT_EQ(Remembered(), QList<QByteArray>{to});
    EXPECT_TRUE(Exists(to + "/1 (2).mp3"));
}

TEST_F(TargetList, MissingChoicesAreReportedAndNothingIsRemembered)
{
    ASSERT_TRUE(WithTargets([&](TwinTargetList& dialog) {
        Click(dialog, "btnCopy");
        EXPECT_EQ(msg->shown.last().text, "请选择需要复制的文件！");
        Click(dialog, "btnCut");
        EXPECT_EQ(msg->shown.last().text, "请选择需要剪切的文件！");
        SelectNames(Source(), {"1.mp3"});
        Type(Field(dialog), " \t ");
        Click(dialog, "btnCopy");
        EXPECT_EQ(msg->shown.last().text, "请选择目标文件夹！");
        EXPECT_TRUE(Field(dialog)->text().isEmpty());
        // The source folder, typed with or without its trailing "/".
        for (const QByteArray& same : {from, from + "/"}) {
            Type(Field(dialog), QString::fromUtf8(same));
            Click(dialog, "btnCut");
            EXPECT_EQ(msg->shown.last().text, "源文件夹和目标文件夹相同！请选择其它目标文件夹！");
        }
        // Typed, never used.
        Type(Field(dialog), QString::fromUtf8(to));
        EXPECT_TRUE(dialog.isVisible());
    }));
    EXPECT_EQ(msg->shown.size(), 5);
    EXPECT_TRUE(ops->requests.isEmpty());
    EXPECT_TRUE(Remembered().isEmpty());
    EXPECT_EQ(TempFolder::ReadBytes(from + "/1.mp3"), "one");
}

TEST_F(TargetList, AMoveTakesTheMovedRowsOutAndStopsTheFileThatPlays)
{
    const QByteArray playing = from + "/cbr.mp3";
    ASSERT_TRUE(QFile::copy(QStringLiteral(MELVANE_FIXTURES "/player/cbr.mp3"), QFile::decodeName(playing)));
    Source()->FillFileList();
    win->PlayFile(playing);
    ASSERT_EQ(win->Head().PlayingFile, playing);
    SelectNames(Source(), {"cbr.mp3", "2.mp3"});
    ASSERT_TRUE(WithTargets([&](TwinTargetList& dialog) {
        Type(Field(dialog), "  " + QString::fromUtf8(to) + " ");
        Click(dialog, "btnCut");
    }));
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    ASSERT_EQ(ops->requests.size(), 1);
    EXPECT_EQ(ops->requests[0].title, "从 “from” 向目标文件夹剪切文件...");
    EXPECT_TRUE(Exists(to + "/cbr.mp3"));
    EXPECT_EQ(TempFolder::ReadBytes(to + "/2.mp3"), "two");
    QAbstractItemModel* rows = Source()->List()->model();
    ASSERT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(rows->index(0, 0).data(kNameBytesRole).toByteArray(), "1.mp3");
    EXPECT_EQ(Remembered(), QList<QByteArray>{to});
}

TEST_F(TargetList, AVanishedFolderWarnsEmptiesTheFieldAndKeepsItsRecord)
{
    const QByteArray gone = dir.MakeDir("music/gone");
    ASSERT_TRUE(win->Playlists().Store().RememberTarget(to).ok);
    ASSERT_TRUE(win->Playlists().Store().RememberTarget(gone).ok);
    TempFolder::RemoveTree(gone);
    ASSERT_TRUE(WithTargets([&](TwinTargetList& dialog) {
        DoubleClickRow(dialog, 0);
        EXPECT_EQ(Field(dialog)->text(), QString::fromUtf8(to));
        DoubleClickRow(dialog, 1);
        EXPECT_EQ(msg->shown.last().text, "“" + QString::fromUtf8(gone) + "” 不存在或已经被移除！");
        EXPECT_EQ(msg->shown.last().kind, MsgKind::Warning);
        EXPECT_TRUE(Field(dialog)->text().isEmpty());
    }));
    EXPECT_EQ(Remembered(), (QList<QByteArray>{to, gone}));
}

TEST_F(TargetList, NoToEitherDeleteQuestionKeepsEveryRecord)
{
    const QByteArray other = dir.MakeDir("music/other");
    ASSERT_TRUE(win->Playlists().Store().RememberTarget(to).ok);
    ASSERT_TRUE(win->Playlists().Store().RememberTarget(other).ok);
    msg->answers = {MsgResult::No, MsgResult::No, MsgResult::Yes, MsgResult::Yes};
    ASSERT_TRUE(WithTargets([&](TwinTargetList& dialog) {
        auto* grid = dialog.findChild<QTableView*>("dbgList");
        Click(dialog, "btnDelete");
        Click(dialog, "btnDelAll");
        EXPECT_EQ(grid->model()->rowCount(), 2);
        EXPECT_EQ(Remembered(), (QList<QByteArray>{to, other}));
        grid->setCurrentIndex(grid->model()->index(1, 0));
        Click(dialog, "btnDelete");
        EXPECT_EQ(Remembered(), QList<QByteArray>{to});
        EXPECT_EQ(grid->model()->rowCount(), 1);
        Click(dialog, "btnDelAll");
        EXPECT_EQ(grid->model()->rowCount(), 0);
    }));
    ASSERT_EQ(msg->shown.size(), 4);
    EXPECT_EQ(msg->shown[0].text, "您确定要删除选择的记录吗？");
    EXPECT_EQ(msg->shown[1].text, "您确定要删除所有的记录吗？");
    EXPECT_TRUE(Remembered().isEmpty());
}

TEST_F(TargetList, ALongFolderWithAGbkNameIsRememberedWhole)
{
    QByteArray deep = "music";
    while (deep.size() < 300)
        deep += "/\xd2\xf4\xc0\xd6-folder-of-a-long-path";
    const QByteArray folder = dir.MakeDir(deep);
    SelectNames(Source(), {"2.mp3"});
    chooser->answers = {folder};
    ASSERT_TRUE(WithTargets([&](TwinTargetList& dialog) {
        Click(dialog, "btnBrowse");
        Click(dialog, "btnCopy");
    }));
    EXPECT_EQ(TempFolder::ReadBytes(folder + "/2.mp3"), "two");
    EXPECT_EQ(Remembered(), QList<QByteArray>{folder});
}

TEST_F(TargetList, ThePlayListTabCopiesSelectedEntriesWithoutCut)
{
    auto* tabs = win->findChild<QTabWidget*>("pcMain");
    tabs->setCurrentIndex(1);
    ASSERT_TRUE(WithTargets([&](TwinTargetList& dialog) {
        EXPECT_FALSE(dialog.findChild<QPushButton*>("btnCut")->isVisible());
        Type(Field(dialog), QString::fromUtf8(to));
        Click(dialog, "btnCopy");
        EXPECT_EQ(msg->shown.last().text, "没有可以复制的自定义播放列表！");
    }));

    TPlaylists& lists = win->Playlists();
    const auto id = lists.qryList().Insert(QStringLiteral("晚上"), QString());
    ASSERT_TRUE(id.ok);
    ASSERT_TRUE(lists.Store().SaveEntries(id.value, {from + "/1.mp3", from + "/2.mp3"}).ok);
    lists.OpenListDetail(id.value);
    lists.FillListDetailView();
    auto* entries = win->findChild<TListDetailView*>("lvListDetail");
    ASSERT_EQ(entries->model()->rowCount(), 2);
    entries->selectRow(1);
    ASSERT_TRUE(WithTargets([&](TwinTargetList& dialog) {
        Type(Field(dialog), QString::fromUtf8(to));
        Click(dialog, "btnCopy");
    }));
    ASSERT_EQ(ops->requests.size(), 1);
    EXPECT_EQ(ops->requests[0].title, "从自定义播放列表 “晚上” 向目标文件夹复制文件...");
    EXPECT_EQ(TempFolder::ReadBytes(to + "/2.mp3"), "two");
    EXPECT_FALSE(Exists(to + "/1.mp3"));
    EXPECT_EQ(Remembered(), QList<QByteArray>{to});
}
