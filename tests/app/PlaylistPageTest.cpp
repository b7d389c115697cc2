#include "MainWindowFixture.h"
#include "player/TMp3Play.h"
#include "player/TestOutputs.h"
#include "support/ScriptedFileOpUi.h"
#include "support/TempFolder.h"

#include "core/ItemRoles.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderTree.h"
#include "playlists/TListQuery.h"
#include "playlists/TPlaylistStore.h"
#include "playlists/ui/TListDetailView.h"
#include "playlists/ui/TListStatusBar.h"

#include <QAction>
#include <QLineEdit>
#include <QHeaderView>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>

#include <fcntl.h>
#include <unistd.h>

namespace {

class PlayChooser final : public IFileChooser {
public:
    QList<QList<QByteArray>> answers;
    QList<QByteArray> ChooseFiles(QWidget*, const QString&) override
    {
        return answers.isEmpty() ? QList<QByteArray>() : answers.takeFirst();
    }
};

// The main window with a scripted file chooser, on a catalogue that holds one list.
class PlaylistPageTest : public MainWindowFixture {
protected:
    void startWithList(const QList<QByteArray>& entries, std::unique_ptr<IAudioOutputFactory> audio = {},
                       std::unique_ptr<ScriptedFileOpUi> fileOps = {})
    {
        deliverCatalogue();
        {
            TCatalogue db;
            ASSERT_TRUE(db.Open(programFolder()));
            TPlaylistStore store(db.Database());
            listId = store.InsertList("歌", "").value;
            ASSERT_TRUE(store.SaveEntries(listId, entries).ok);
        }
        auto files = std::make_unique<PlayChooser>();
        chooser = files.get();
        TwinMain::Services services;
        services.fileChooser = std::move(files);
        services.audio = std::move(audio);
        services.fileOpUi = std::move(fileOps);
        startWith(std::move(services));
        view = win->findChild<TListDetailView*>("lvListDetail");
        ASSERT_NE(view, nullptr);
    }

    QList<QByteArray> rows() const
    {
        QList<QByteArray> out;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            out.append(view->model()->index(r, 0).data(kNameBytesRole).toByteArray());
        return out;
    }

    QString listId;
    PlayChooser* chooser = nullptr;
    TListDetailView* view = nullptr;
};

} // namespace

TEST_F(PlaylistPageTest, TheFirstListShowsAtStartAndTheActionsReachThePage)
{
    const QByteArray quoted = "/m/it's \"x\".mp3";
    const QByteArray gbk = "/m/\xB8\xE8\xC7\xFA.mp3";
    startWithList({quoted, gbk});
    EXPECT_TRUE(win->ListQueryOpen());
    EXPECT_EQ(rows(), (QList<QByteArray>{quoted, gbk}));
    auto* grid = win->findChild<QTableView*>("dbgList");
    EXPECT_TRUE(grid->isColumnHidden(TListQuery::IdColumn));
    EXPECT_EQ(grid->columnWidth(TListQuery::NameColumn), 120);
    EXPECT_EQ(grid->columnWidth(TListQuery::MemoColumn), 135);
    EXPECT_TRUE(view->showGrid());
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    auto* bar = win->findChild<TListStatusBar*>("sbList");
    EXPECT_EQ(bar->PanelText(0), "文件数:2");

    // On the folder tab the list actions do nothing.
    chooser->answers = {{"/new.mp3"}, {"/new.mp3"}};
    win->Action("aListAddFile")->trigger();
    EXPECT_EQ(rows().size(), 2);
    win->findChild<QTabWidget*>("pcMain")->setCurrentIndex(1);
    win->Action("aListAddFile")->trigger();
    EXPECT_EQ(rows(), (QList<QByteArray>{quoted, gbk, "/new.mp3"}));

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(1, 0)).center());
    EXPECT_EQ(win->ActiveFileList(), view);
    EXPECT_EQ(win->ActiveStatusBar(), bar);
    EXPECT_EQ(bar->PanelText(1), "选择数:1");

    // The delete action removes entries on this tab, after the question.
    msg->answers = {MsgResult::Yes};
    win->Action("aFileDelete")->trigger();
    EXPECT_EQ(rows(), (QList<QByteArray>{quoted, "/new.mp3"}));

    emit win->Popup("pmList")->aboutToShow();
    EXPECT_TRUE(win->Action("aListScan")->isEnabled());
    QMenu* fileList = win->Popup("pmFileList");
    EXPECT_NE(fileList->findChild<QAction*>("pmiFileAdd2New"), nullptr);
    EXPECT_NE(fileList->findChild<QAction*>("pmiFileAdd2Old"), nullptr);
}

TEST_F(PlaylistPageTest, AnEntryNamedInGbkWithQuotesPlaysFromItsBytesAndRemovingItStopsIt)
{
    QFile source(QStringLiteral(MELVANE_FIXTURES "/player/cbr.mp3"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray song = programFolder() + "\xB8\xE8 it's \"x\".mp3";
    const int fd = ::open(song.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    const QByteArray bytes = source.readAll();
    ASSERT_EQ(::write(fd, bytes.constData(), bytes.size()), bytes.size());
    ::close(fd);

    startWithList({}, std::make_unique<TestOutputs>());
    win->findChild<QTabWidget*>("pcMain")->setCurrentIndex(1);
    chooser->answers = {{song}};
    win->Action("aListAddFile")->trigger();
    ASSERT_EQ(rows(), QList<QByteArray>{song});
    {
        TCatalogue db;
        ASSERT_TRUE(db.Open(programFolder()));
        EXPECT_EQ(TPlaylistStore(db.Database()).Entries(listId).value, QList<QByteArray>{song});
    }

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(0, 0)).center());
    win->PlayFile(view->model()->index(0, 0).data(kNameBytesRole).toByteArray());
    EXPECT_EQ(win->Mp3Play().GetState(), 1);
    EXPECT_EQ(win->Head().PlayingFile, song);
    EXPECT_TRUE(win->findChild<QLineEdit*>("edtCurrPlay")->text().startsWith("自定义播放列表-"));

    msg->answers = {MsgResult::Yes};
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    EXPECT_EQ(win->Mp3Play().GetState(), 0);
    // The file itself stays.
    EXPECT_EQ(::access(song.constData(), F_OK), 0);
    ::unlink(song.constData());
}

TEST_F(PlaylistPageTest, SelectedEntriesAreCopiedIntoTheTargetFolderWithTheirBytes)
{
    const QByteArray songs = dir.MakeDir("\xB8\xE8\xC7\xFA");  // GBK "歌曲"
    const QByteArray target = dir.MakeDir("target");
    const QList<QByteArray> entries{dir.MakeFile("\xB8\xE8\xC7\xFA/a\xD2\xBB.mp3", "one"),
                                    dir.MakeFile("\xB8\xE8\xC7\xFA/b.mp3", "two"),
                                    dir.MakeFile("\xB8\xE8\xC7\xFA/c.mp3", "three")};
    auto scripted = std::make_unique<ScriptedFileOpUi>();
    ScriptedFileOpUi* ops = scripted.get();
    startWithList(entries, {}, std::move(scripted));
    win->findChild<QTabWidget*>("pcMain")->setCurrentIndex(1);
    win->Head().bConfirmation = false;

    // Checks first: nothing selected, then no target folder chosen yet.
    view->clearSelection();
    win->Action("aFileCopy")->trigger();
    ASSERT_EQ(msg->shown.size(), 1);
    EXPECT_EQ(msg->shown[0].text, "请选择需要复制的文件！");
    EXPECT_TRUE(ops->requests.isEmpty());

    ASSERT_TRUE(win->TargetPane()->Tree()->SelectPath(target));
    win->TargetPane()->dtvSourceClick();
    view->selectRow(0);
    view->selectionModel()->select(view->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    win->Action("aFileCopy")->trigger();
    ASSERT_EQ(ops->requests.size(), 1);
    EXPECT_EQ(ops->requests[0].title, "从自定义播放列表 “歌” 向 “target” 复制文件...");
    EXPECT_EQ(ops->requests[0].result, 0);
    EXPECT_EQ(TempFolder::ReadBytes(target + "/a\xD2\xBB.mp3"), "one");
    EXPECT_EQ(TempFolder::ReadBytes(target + "/c.mp3"), "three");
    EXPECT_TRUE(TempFolder::ReadBytes(target + "/b.mp3").isEmpty());
    // The entries and their files stay; the target pane lists the copies.
    EXPECT_EQ(rows(), entries);
    EXPECT_EQ(TempFolder::ReadBytes(entries[0]), "one");
    QTRY_COMPARE_WITH_TIMEOUT(win->TargetPane()->List()->model()->rowCount(), 2, 1000);

    // With the question on, No copies nothing.
    win->Head().bConfirmation = true;
    msg->answers.push_back(MsgResult::No);
    TempFolder::RemoveTree(target + "/c.mp3");
    win->Action("aFileCopy")->trigger();
    EXPECT_EQ(msg->shown.last().text, "您要从自定义播放列表 “歌” 向 “target” 复制文件吗?");
    EXPECT_EQ(ops->requests.size(), 1);
    EXPECT_TRUE(TempFolder::ReadBytes(target + "/c.mp3").isEmpty());
}
