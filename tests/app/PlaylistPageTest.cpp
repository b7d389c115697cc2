#include "MainWindowFixture.h"
#include "player/TMp3Play.h"
#include "player/TestOutputs.h"

#include "core/ItemRoles.h"
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
    void startWithList(const QList<QByteArray>& entries, std::unique_ptr<IAudioOutputFactory> audio = {})
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
