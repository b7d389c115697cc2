#include "MainWindowFixture.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSlider>
#include <QSqlQuery>
#include "playlists/TListQuery.h"
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kMissing = QStringLiteral(
    "没有找到数据库文件 [KIROCustomList.mdb] ！\r\r说明：KIROCustomList.mdb 应该与应用程序在同一文件夹下。");

struct ActionRow {
    QString name, caption, hint;
    QStringList keys;
    QString menu, toolbar;
    QStringList popups;
};

QList<ActionRow> actionRows()
{
    QFile f(QStringLiteral(MELVANE_FIXTURES "/app/actions.tsv"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QList<ActionRow> rows;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith('#') || line.isEmpty())
            continue;
        const QStringList c = line.split('\t');
        const auto list = [](const QString& s) { return s.split(',', Qt::SkipEmptyParts); };
        rows.append({c[0], c[1], c[2], list(c[3]), c[4], c[5], list(c[6])});
    }
    return rows;
}

QStringList keysOf(const QAction* a)
{
    QStringList keys;
    for (const QKeySequence& k : a->shortcuts())
        keys << k.toString(QKeySequence::PortableText);
    return keys;
}

} // namespace

TEST_F(MainWindowFixture, StartsWithTheCatalogueAndLoadsTheOptions)
{
    deliverCatalogue();
    start();
    EXPECT_TRUE(msg->shown.isEmpty());
    EXPECT_TRUE(msg->layerErrors.isEmpty());
    EXPECT_EQ(win->windowTitle(), "MelvaneKIRO(V4.0)");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "MelvaneKIRO");
    EXPECT_EQ(win->Head().AppPath, programFolder());
    EXPECT_EQ(win->Head().ColumnTitles, "文件名;类型;大小;属性;修改时间;音乐名;艺术家;唱片标题;发行年;附注");
    EXPECT_TRUE(win->dbconMain().IsOpen());
    EXPECT_TRUE(win->ListQueryOpen());
    EXPECT_TRUE(win->Head().bConfirmation);
    EXPECT_EQ(win->Head().iTryMaxCount, 3);
    EXPECT_EQ(win->qryList()->headerData(1, Qt::Horizontal).toString(), "列表名");
    EXPECT_EQ(win->qryList()->headerData(2, Qt::Horizontal).toString(), "备注");
}

TEST_F(MainWindowFixture, MissingCatalogueIsReportedOnceNeverCreatedAndTheWindowStillWorks)
{
    start();
    ASSERT_EQ(msg->shown.size(), 1);
    EXPECT_EQ(msg->shown[0].text, kMissing);
    EXPECT_EQ(msg->shown[0].kind, MsgKind::Error);
    EXPECT_EQ(msg->shown[0].buttons, MsgButtons::Ok);
    EXPECT_FALSE(QFileInfo::exists(catalogueFile()));
    EXPECT_FALSE(win->dbconMain().IsOpen());
    EXPECT_FALSE(win->ListQueryOpen());
    const THead& h = win->Head();
    EXPECT_FALSE(h.bConfirmation || h.bContinuous || h.bShowHideSys);
    EXPECT_EQ(h.iFileSizeUnit + h.iT2FMode + h.iTryMaxCount, 0);
    // Both panes still list their first folder.
    EXPECT_FALSE(h.SourcePath.isEmpty());
    EXPECT_FALSE(h.TargetPath.isEmpty());
}

TEST_F(MainWindowFixture, AFileThatIsNoDatabaseShowsTheLayersTextAndKeepsInitialOptions)
{
    QFile f(catalogueFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2048, 'z'));
    f.close();
    start();
    EXPECT_TRUE(msg->shown.isEmpty());
    ASSERT_EQ(msg->layerErrors.size(), 1);
    EXPECT_TRUE(msg->layerErrors[0].contains("not a database")) << msg->layerErrors[0].toStdString();
    EXPECT_FALSE(win->ListQueryOpen());
    EXPECT_EQ(win->Head().iTryMaxCount, 0);
}

TEST_F(MainWindowFixture, OptionRowsOfEveryFormAndABadNumberStoppingTheLoad)
{
    deliverCatalogue();
    {
        TCatalogue db;
        ASSERT_TRUE(db.Open(programFolder()));
        ASSERT_TRUE(db.Execute("update [option] set value = 'yes' where name = 'bShowHideSys'"));
        ASSERT_TRUE(db.Execute("update [option] set value = '1' where name = 'bConfirmation'"));
        ASSERT_TRUE(db.Execute("update [option] set value = '' where name = 'bContinuous'"));
        ASSERT_TRUE(db.Execute("update [option] set value = '5' where name = 'iFileSizeUnit'"));
        ASSERT_TRUE(db.Execute("update [option] set value = 'two' where name = 'iT2FMode'"));
    }
    start(false);
    ASSERT_EQ(msg->layerErrors.size(), 1);
    EXPECT_TRUE(msg->layerErrors[0].contains("two"));
    const THead& h = win->Head();
    EXPECT_TRUE(h.bShowHideSys);
    EXPECT_FALSE(h.bConfirmation);
    EXPECT_FALSE(h.bContinuous);
    EXPECT_EQ(h.iFileSizeUnit, 5);
    EXPECT_EQ(h.iT2FMode, 0);
    EXPECT_EQ(h.iTryMaxCount, 0);
}

TEST_F(MainWindowFixture, ActionsMenusToolBarsAndPopupsFollowTheCommandTable)
{
    start(false);
    const QList<ActionRow> rows = actionRows();
    ASSERT_EQ(rows.size(), 29);
    for (const ActionRow& row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        QAction* a = win->Action(row.name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), row.caption);
        // Hints are tool tips only: a status tip would cover sbpStatus while hovering.
        EXPECT_EQ(a->statusTip(), "");
        if (!row.hint.isEmpty()) {
            EXPECT_EQ(a->toolTip(), row.hint);
        }
        EXPECT_EQ(keysOf(a), row.keys);
        EXPECT_TRUE(a->isEnabled());

        QStringList menus;
        for (QMenu* m : win->menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
            if (m->actions().contains(a))
                menus << m->title();
        }
        EXPECT_EQ(menus, row.menu.isEmpty() ? QStringList{} : QStringList{row.menu});

        QStringList bars;
        for (QToolBar* bar : win->findChildren<QToolBar*>()) {
            if (bar->actions().contains(a)) {
                bars << bar->objectName();
                auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a));
                ASSERT_NE(button, nullptr);
                EXPECT_FALSE(button->icon().isNull());
                EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
            }
        }
        EXPECT_EQ(bars, row.toolbar.isEmpty() ? QStringList{} : QStringList{row.toolbar});

        QStringList popups;
        for (const char* name : {"pmFolderTv", "pmFileList", "pmList", "pmListDetail"}) {
            if (win->Popup(QLatin1String(name))->actions().contains(a))
                popups << QLatin1String(name);
        }
        EXPECT_EQ(popups, row.popups);
    }
    const QStringList titles = [&] {
        QStringList t;
        for (QAction* m : win->menuBar()->actions())
            t << m->text();
        return t;
    }();
    EXPECT_EQ(titles, (QStringList{"文件(&F)", "编辑(&E)", "播放(&P)", "列表(&L)", "帮助(&H)"}));
    QStringList folderItems;
    for (QAction* a : win->Popup("pmFolderTv")->actions())
        folderItems << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(folderItems, (QStringList{"刷新(&R)", "-", "复制(&C)", "剪切(&X)", "-", "新建(&N)...", "删除(&D)",
                                        "重命名(&M)"}));
}

TEST_F(MainWindowFixture, ShortcutsFireOnBothPages)
{
    start();
    win->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win.get()));
    auto* pages = win->findChild<QTabWidget*>("pcMain");
    QTabBar* tabs = pages->tabBar();
    for (int page : {0, 1}) {
        pages->setCurrentIndex(page);
        tabs->setFocus();
        for (const ActionRow& row : actionRows()) {
            if (row.name == "aExit" || row.name == "aHelp" || row.keys.isEmpty())
                continue;
            SCOPED_TRACE((row.name + " on page " + QString::number(page)).toStdString());
            QAction* a = win->Action(row.name);
            a->disconnect();
            QSignalSpy spy(a, &QAction::triggered);
            const QKeySequence key = QKeySequence::fromString(row.keys.first(), QKeySequence::PortableText);
            QTest::keyClick(tabs, key[0].key(), key[0].keyboardModifiers());
            EXPECT_EQ(spy.count(), 1);
        }
    }
}

TEST_F(MainWindowFixture, ResizingKeepsProgressAndNowPlayingEquallyWideAndRightControlsAtTheEdge)
{
    start();
    auto* panel = win->findChild<QWidget*>("pnlControl");
    auto* progress = win->findChild<QSlider*>("trbProgress");
    auto* volume = win->findChild<QSlider*>("trbVolume");
    auto* now = win->findChild<QLineEdit*>("edtCurrPlay");
    auto* length = win->findChild<QLabel*>("lblLength");
    for (int width : {795, 1100, 640}) {
        win->resize(width, 600);
        QTest::qWait(20);
        const int w = panel->width();
        EXPECT_EQ(progress->width(), w - volume->width() - 48 - 24 - 45) << width;
        EXPECT_EQ(now->width(), progress->width());
        EXPECT_EQ(w - volume->x(), 795 - 656);
        EXPECT_EQ(w - length->x(), 795 - 656);
    }
}

TEST_F(MainWindowFixture, LayoutHoldsTheNamedControls)
{
    deliverCatalogue();
    start();
    for (const char* name :
         {"pnlControl", "edtCurrPlay", "lblLength", "trbProgress", "trbVolume", "trbVolumeNV", "pcMain", "tsFolder",
          "tsCustomList", "splFolder", "pnlSource", "pnlTarget", "pnlSourceLeft", "pnlTargetLeft", "dtvSource",
          "dtvTarget", "pnlSourceTop", "pnlTargetTop", "dedtSource", "dedtTarget", "cmbSourceFileType",
          "cmbTargetFileType", "lvSource", "lvTarget", "sbSource", "sbTarget", "dbgList", "lvListDetail", "sbList",
          "sbMain", "sbpStatus"})
        EXPECT_NE(win->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    EXPECT_NE(win->findChild<QTimer*>("tmMain"), nullptr);
    EXPECT_FALSE(win->findChild<QTimer*>("tmMain")->isActive());
    EXPECT_FALSE(win->findChild<QWidget*>("trbVolumeNV")->isVisible());
    auto* pages = win->findChild<QTabWidget*>("pcMain");
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(pages->tabText(0), "文件夹树状视图");
    EXPECT_EQ(pages->tabText(1), "自定义播放列表");
    EXPECT_EQ(win->findChild<QWidget*>("sbpStatus")->width(), 281);
    auto* volume = win->findChild<QSlider*>("trbVolume");
    EXPECT_EQ(volume->maximum(), 255);

    QDir().mkpath(QStringLiteral(MELVANE_SCREENSHOTS));
    EXPECT_TRUE(win->grab().save(QStringLiteral(MELVANE_SCREENSHOTS "/main-window.png")));
}

TEST_F(MainWindowFixture, ExitClosesTheWindow)
{
    start();
    ASSERT_TRUE(win->isVisible());
    win->Action("aExit")->trigger();
    EXPECT_FALSE(win->isVisible());
}
