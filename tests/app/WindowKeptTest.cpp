// The window comes back as the user left it: place, size, splitters and column widths, kept in the catalogue.
#include "MainWindowFixture.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"

#include <QHeaderView>
#include <QSplitter>
#include <QTabWidget>

namespace {

QSplitter* splitter(const TwinMain& win, const char* name) { return win.findChild<QSplitter*>(QLatin1String(name)); }

QSplitter* paneSplitter(const TFolderPane* pane)
{
    return pane->findChild<QSplitter*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

TEST_F(MainWindowFixture, SizePlaceSplittersAndColumnsComeBackAfterARestart)
{
    deliverCatalogue();
    start();
    const QRect designed = win->geometry();
    EXPECT_EQ(designed.width(), 795);
    win->setGeometry(30, 20, 700, 560);
    QTest::qWait(20);
    splitter(*win, "splFolder")->setSizes({250, 200});
    paneSplitter(win->TargetPane())->setSizes({220, 470});
    win->SourcePane()->List()->header()->resizeSection(0, 210);
    const QList<int> folderSizes = splitter(*win, "splFolder")->sizes();
    win->close();
    win.reset();

    start();
    EXPECT_EQ(win->geometry(), QRect(30, 20, 700, 560));
    EXPECT_EQ(splitter(*win, "splFolder")->sizes(), folderSizes);
    EXPECT_EQ(paneSplitter(win->TargetPane())->sizes().first(), 220);
    EXPECT_EQ(win->SourcePane()->List()->header()->sectionSize(0), 210);
    EXPECT_EQ(win->TargetPane()->List()->header()->sectionSize(0), 150);
    // The play list page was never shown: its splitter comes back as designed.
    win->findChild<QTabWidget*>("pcMain")->setCurrentIndex(1);
    QTest::qWait(20);
    EXPECT_EQ(splitter(*win, "splList")->sizes().first(), 286);
}

TEST_F(MainWindowFixture, ATallerWindowMakesBothPanesTaller)
{
    start();
    const int source = win->SourcePane()->height();
    EXPECT_EQ(source, 185) << "as designed at the first start";
    const int target = win->TargetPane()->height();
    win->resize(win->width(), win->height() + 300);
    QTest::qWait(20);
    // Each takes a share of the new height, not the target pane all of it.
    EXPECT_GT(win->SourcePane()->height(), source + 50);
    EXPECT_GT(win->TargetPane()->height(), target + 50);
}
