#include "PaneFixture.h"
#include "panes/ui/PaneFont.h"
#include "panes/ui/TFileListView.h"
#include "tags/NameText.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRawFont>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

TEST_F(FolderPaneTest, HasTheNamedControlsOfItsSide)
{
    Build(PaneSide::Target);
    EXPECT_EQ(pane->objectName(), "pnlTarget");
    for (const char* name : {"pnlTargetLeft", "dtvTarget", "pnlTargetTop", "dedtTarget", "cmbTargetFileType",
                             "lvTarget", "sbTarget"})
        EXPECT_NE(pane->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(pane->findChild<QWidget*>("pnlTargetLeft")->width(), 150);
    EXPECT_EQ(pane->findChild<QWidget*>("pnlTargetTop")->height(), 28);
    EXPECT_EQ(pane->List()->property("hint").toString(), QStringLiteral("目标文件夹"));
    EXPECT_TRUE(pane->List()->toolTip().isEmpty());
    EXPECT_EQ(pane->findChild<QLabel*>("lblTargetFolder")->text(), QStringLiteral("目标文件夹"));

    QComboBox* box = pane->FileTypeBox();
    EXPECT_FALSE(box->isEditable());
    EXPECT_EQ(box->currentText(), "*.*");
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    EXPECT_EQ(items, (QStringList{"*.*", "*.mp3", "*.wma", "*.wav", "*.mid", "*.flac", "*.ogg", "*.oga", "*.opus",
                                  "*.m4a", "*.ape"}));

    EXPECT_EQ(Tree()->indentation(), 19);
    EXPECT_FALSE(Tree()->rootIsDecorated());
    EXPECT_EQ(pane->StatusBar()->PanelCount(), 3);
    EXPECT_EQ(pane->List()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(pane->List()->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(FolderPaneTest, PaneFontShowsChineseGlyphs)
{
    Build();
    // Latin text may come from the first family and Chinese from a later one.
    const QFont font = Tree()->font();
    for (const QChar c : QStringLiteral("桌面回收站网上邻居我的电脑文件名")) {
        bool shown = false;
        for (const QString& family : font.families()) {
            QFont one(font);
            one.setFamilies({family});
            shown = shown || QRawFont::fromFont(one).supportsCharacter(c);
        }
        EXPECT_TRUE(shown) << int(c.unicode());
    }
    EXPECT_EQ(Tree()->font().pointSize(), 9);
}

TEST_F(FolderPaneTest, TopBarGivesThePathFieldWhatTheRightControlsLeave)
{
    Build();
    QWidget* top = pane->findChild<QWidget*>("pnlSourceTop");
    for (const int width : {800, 1100}) {
        pane->resize(width, 300);
        QCoreApplication::processEvents();
        EXPECT_EQ(pane->PathField()->width(), top->width() - 60 - 48 - 64 - 45);
        EXPECT_EQ(top->width() - pane->FileTypeBox()->geometry().left(), 85);
        EXPECT_EQ(top->width() - pane->findChild<QLabel*>("lblSourceFileType")->geometry().left(), 137);
    }
}

TEST_F(FolderPaneTest, FirstListingShowsTheDesktop)
{
    tmp.MakeSizedFile("Desktop/one.wav", 2048);
    Build();
    QSignalSpy treeActivated(pane.get(), &TFolderPane::TreeActivated);
    pane->SetupFileColumns();
    pane->dtvSourceClick();

    EXPECT_EQ(head.SourcePath, desktop + "/");
    EXPECT_EQ(pane->PathField()->text(), DisplayName(desktop + "/"));
    EXPECT_EQ(Captions(), QStringList{"one.wav"});
    EXPECT_EQ(Panel(0), QStringLiteral("文件数:1"));
    EXPECT_EQ(treeActivated.count(), 1);
    EXPECT_EQ(pane->ListModel().columnCount(), 10);
    EXPECT_EQ(pane->List()->columnWidth(0), 150);
    EXPECT_EQ(pane->List()->columnWidth(4), 130);
}

TEST_F(FolderPaneTest, ClickOnTheCurrentFolderNeitherRefreshesNorLists)
{
    BuildAndShow();
    const int nodes = TreeModel().rowCount(TreeModel().RootIndex());
    tmp.MakeDir("Desktop/made-later");
    tmp.MakeSizedFile("Desktop/late.wav", 100);

    ClickNode(TreeModel().RootIndex());
    EXPECT_EQ(TreeModel().rowCount(TreeModel().RootIndex()), nodes);
    EXPECT_TRUE(Captions().isEmpty());

    pane->FillFileList();
    EXPECT_EQ(Captions(), QStringList{"late.wav"});
}

TEST_F(FolderPaneTest, ClickOnAnotherFolderListsIt)
{
    tmp.MakeDir("Desktop/music");
    tmp.MakeSizedFile("Desktop/music/a.mp3", 500);
    BuildAndShow();

    ClickNode(Node(desktop + "/music"));
    EXPECT_EQ(head.SourcePath, desktop + "/music/");
    EXPECT_EQ(pane->PathField()->text(), DisplayName(desktop + "/music/"));
    EXPECT_EQ(Captions(), QStringList{"a.mp3"});
    EXPECT_EQ(Tree()->SelectedPath(), desktop + "/music");
}

TEST_F(FolderPaneTest, VanishedFolderMovesTheSelectionUpAndListsNothing)
{
    tmp.MakeDir("Desktop/a");
    tmp.MakeDir("Desktop/a/b");
    tmp.MakeSizedFile("Desktop/a/b/x.wav", 100);
    tmp.MakeSizedFile("Desktop/a/y.wav", 100);
    BuildAndShow();
    ClickNode(Node(desktop + "/a"));
    const QModelIndex b = Node(desktop + "/a/b");
    ASSERT_TRUE(b.isValid());

    ASSERT_EQ(::unlink((desktop + "/a/b/x.wav").constData()), 0);
    ASSERT_EQ(::rmdir((desktop + "/a/b").constData()), 0);
    ClickNode(b);

    EXPECT_EQ(Tree()->SelectedPath(), desktop + "/a");
    EXPECT_EQ(TreeModel().rowCount(Node(desktop + "/a")), 0) << "the ancestor was not read again";
    EXPECT_EQ(head.SourcePath, desktop + "/a/b/");
    EXPECT_EQ(pane->PathField()->text(), DisplayName(desktop + "/a/b/"));
    EXPECT_TRUE(Captions().isEmpty());
    EXPECT_EQ(Panel(0), QStringLiteral("文件数:0"));
    EXPECT_EQ(Panel(1), QStringLiteral("选择数:0"));
    EXPECT_EQ(Panel(2), QStringLiteral("大小合计:0KB"));
}

TEST_F(FolderPaneTest, RefreshOnClickKeepsExpandedNodes)
{
    tmp.MakeDir("Desktop/a");
    tmp.MakeDir("Desktop/a/keep");
    tmp.MakeDir("Desktop/a/keep/deep");
    tmp.MakeDir("Desktop/old");
    BuildAndShow();
    ClickNode(Node(desktop + "/a/keep/deep"));
    ASSERT_TRUE(Tree()->isExpanded(Node(desktop + "/a/keep")));

    ASSERT_EQ(::rmdir((desktop + "/old").constData()), 0);
    tmp.MakeDir("Desktop/new");
    ClickNode(TreeModel().RootIndex());

    EXPECT_EQ(head.SourcePath, desktop + "/");
    EXPECT_TRUE(Tree()->isExpanded(Node(desktop + "/a")));
    EXPECT_TRUE(Tree()->isExpanded(Node(desktop + "/a/keep")));
    QStringList captions;
    for (int row = 4; row < TreeModel().rowCount(TreeModel().RootIndex()); ++row)
        captions << TreeModel().index(row, 0, TreeModel().RootIndex()).data().toString();
    EXPECT_EQ(captions, (QStringList{"a", "new"}));
}

TEST_F(FolderPaneTest, VirtualNodeBecomesTheFolderWithAnEmptyList)
{
    tmp.MakeSizedFile("Desktop/d.wav", 100);
    BuildAndShow();
    ASSERT_EQ(Captions().size(), 1);

    ClickNode(Node("trash:///"));
    EXPECT_EQ(head.SourcePath, "trash:///");
    EXPECT_EQ(pane->PathField()->text(), "trash:///");
    EXPECT_TRUE(Captions().isEmpty());
    EXPECT_EQ(Tree()->SelectedNode(), TreeModel().RootIndex());

    ClickNode(Node("network:///"));
    EXPECT_EQ(head.SourcePath, "network:///");
}

TEST_F(FolderPaneTest, FileTypeBoxListsAgainWithItsMask)
{
    tmp.MakeSizedFile("Desktop/a.mp3", 100);
    tmp.MakeSizedFile("Desktop/b.wav", 100);
    BuildAndShow();
    ASSERT_EQ(Captions().size(), 2);

    pane->FileTypeBox()->setFocus();
    QTest::keyClick(pane->FileTypeBox(), Qt::Key_Down);
    EXPECT_EQ(pane->FileTypeBox()->currentText(), "*.mp3");
    EXPECT_EQ(Captions(), QStringList{"a.mp3"});
    EXPECT_EQ(head.SourcePath, desktop + "/");
}

TEST_F(FolderPaneTest, SelectionChangeUpdatesTheStatusBarAndClickActivatesTheList)
{
    tmp.MakeSizedFile("Desktop/a.wav", 1024);
    tmp.MakeSizedFile("Desktop/b.wav", 2048);
    tmp.MakeSizedFile("Desktop/c.wav", 5000);
    BuildAndShow();
    QSignalSpy listActivated(pane.get(), &TFolderPane::ListActivated);
    TFileListView* list = pane->List();
    const auto rowCentre = [&](int row) { return list->visualRect(pane->ListModel().index(row, 0)).center(); };

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    EXPECT_EQ(Panel(1), QStringLiteral("选择数:1"));
    EXPECT_EQ(listActivated.count(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(2));
    EXPECT_EQ(Panel(1), QStringLiteral("选择数:2"));
    EXPECT_EQ(Panel(0), QStringLiteral("文件数:3"));
    EXPECT_EQ(Panel(2), QStringLiteral("大小合计:7KB"));
    list->clearSelection();
    EXPECT_EQ(Panel(1), QStringLiteral("选择数:0"));
}

TEST_F(FolderPaneTest, HeaderClickSortsAlternately)
{
    for (const char* name : {"b.wav", "c.wav", "a.wav"})
        tmp.MakeSizedFile("Desktop/" + QByteArray(name), 100);
    BuildAndShow();
    QHeaderView* header = pane->List()->header();
    const QPoint first(header->sectionViewportPosition(0) + 10, header->height() / 2);

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(Captions(), (QStringList{"a.wav", "b.wav", "c.wav"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(Captions(), (QStringList{"c.wav", "b.wav", "a.wav"}));
}

TEST_F(FolderPaneTest, RightClickSelectsTheNodeAndShowsTheTreeMenu)
{
    tmp.MakeDir("Desktop/music");
    BuildAndShow();
    QMenu treeMenu;
    treeMenu.addAction("x");
    pane->SetPopupMenus(&treeMenu, nullptr);
    const QModelIndex music = Node(desktop + "/music");
    const QPoint at = Tree()->visualRect(music).center();

    QTest::mouseClick(Tree()->viewport(), Qt::RightButton, {}, at);
    EXPECT_EQ(Tree()->SelectedPath(), desktop + "/music");
    EXPECT_EQ(head.SourcePath, desktop + "/") << "a right click is no tree click";

    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, Tree()->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(Tree()->viewport(), &menuEvent);
    EXPECT_TRUE(treeMenu.isVisible());
    treeMenu.close();
}

TEST_F(FolderPaneTest, RightClickInTheListSelectsTheRowUnderTheCursorAndShowsTheListMenu)
{
    for (const char* name : {"a.wav", "b.wav", "c.wav"})
        tmp.MakeSizedFile("Desktop/" + QByteArray(name), 100);
    BuildAndShow();
    QMenu listMenu;
    listMenu.addAction("x");
    pane->SetPopupMenus(nullptr, &listMenu);
    TFileListView* list = pane->List();
    const auto rowCentre = [&](int row) { return list->visualRect(pane->ListModel().index(row, 0)).center(); };
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(1));

    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCentre(1));
    EXPECT_EQ(list->SelectedCount(), 2) << "a right click on a selected row keeps the selection";
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, rowCentre(2));
    EXPECT_EQ(list->SelectedCount(), 1);
    EXPECT_TRUE(list->selectionModel()->isRowSelected(2, {}));
    EXPECT_EQ(Panel(1), QStringLiteral("选择数:1"));

    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, rowCentre(2), list->viewport()->mapToGlobal(rowCentre(2)));
    QCoreApplication::sendEvent(list->viewport(), &menuEvent);
    EXPECT_TRUE(listMenu.isVisible());
    listMenu.close();
}

TEST_F(FolderPaneTest, GbkNamedFolderIsClickedAndListedByItsBytes)
{
    const QByteArray gbkFolder = desktop + "/\xd2\xf4\xc0\xd6"; // 音乐
    tmp.MakeDir("Desktop/\xd2\xf4\xc0\xd6");
    tmp.MakeSizedFile("Desktop/\xd2\xf4\xc0\xd6/\xb8\xe8.wav", 100); // 歌.wav
    BuildAndShow();

    const QModelIndex node = Node(gbkFolder);
    ASSERT_TRUE(node.isValid());
    EXPECT_EQ(node.data().toString(), QStringLiteral("音乐"));
    ClickNode(node);

    EXPECT_EQ(head.SourcePath, gbkFolder + "/");
    EXPECT_TRUE(pane->PathField()->text().endsWith(QStringLiteral("/音乐/")));
    ASSERT_EQ(pane->ListModel().RowCount(), 1);
    EXPECT_EQ(pane->ListModel().Row(0).name, "\xb8\xe8.wav");
    EXPECT_EQ(pane->ListModel().Row(0).caption, QStringLiteral("歌.wav"));
    EXPECT_TRUE(msg.layerErrors.isEmpty());
}

TEST_F(FolderPaneTest, AFileSelectedFromOutsideStaysInViewWhileTheListSettlesUntilTheUserScrolls)
{
    for (int i = 0; i < 40; ++i)
        tmp.MakeSizedFile("Desktop/" + QByteArray::number(i) + ".mp3", 2048);
    BuildAndShow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pane->ListModel().RowCount() == 40; }));
    ASSERT_EQ(pane->SelectNames({pane->ListModel().Entry(39).name}), 1);
    TFileListView* list = pane->List();
    const auto inView = [&] { return list->viewport()->rect().contains(list->visualRect(list->currentIndex())); };
    EXPECT_TRUE(inView());
    pane->resize(800, 150);  // the window's layout settles smaller
    QCoreApplication::processEvents();
    EXPECT_TRUE(inView());

    list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    pane->resize(800, 300);
    pane->resize(800, 150);
    QCoreApplication::processEvents();
    EXPECT_FALSE(inView());
}
