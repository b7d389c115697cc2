#include "MainWindowFixture.h"

#include "core/ItemRoles.h"
#include "playlists/TListQuery.h"
#include "playlists/TPlaylistStore.h"
#include "playlists/ui/TListDetailView.h"
#include "playlists/ui/TListStatusBar.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>

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
    void startWithList(const QList<QByteArray>& entries)
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
