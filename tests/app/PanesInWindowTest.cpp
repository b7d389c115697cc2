// The two panes inside the main window: where the keyboard starts and goes, and the folder
// chooser the window hands them.
#include "MainWindowFixture.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

TEST_F(MainWindowFixture, KeyboardStartsInTheSourceListAndTabWalksBothPanes)
{
    deliverCatalogue();
    start();
    QApplication::setActiveWindow(win.get());
    TFolderPane* source = win->SourcePane();
    TFolderPane* target = win->TargetPane();
    EXPECT_EQ(QApplication::focusWidget(), source->List());

    source->Tree()->setFocus();
    const QList<QWidget*> order = {source->PathField(), source->FileTypeBox(), source->List(),
                                   target->Tree(),      target->PathField(),   target->FileTypeBox(),
                                   target->List()};
    for (QWidget* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected) << expected->objectName().toStdString();
    }
}

TEST_F(MainWindowFixture, BrowseButtonsAskTheWindowsFolderChooser)
{
    const QByteArray music = dir.MakeDir("music");
    deliverCatalogue();
    start();
    chooser->answers = {music, std::nullopt};

    win->TargetPane()->BrowseAction()->trigger();
    ASSERT_EQ(chooser->calls.size(), 1);
    EXPECT_EQ(chooser->calls[0].title, QStringLiteral("选择目标文件夹"));
    EXPECT_EQ(win->Head().TargetPath, music + "/");
    EXPECT_EQ(win->TargetPane()->Tree()->SelectedPath(), music);

    const QByteArray sourceBefore = win->Head().SourcePath;
    win->SourcePane()->BrowseAction()->trigger();
    EXPECT_EQ(chooser->calls.last().title, QStringLiteral("选择源文件夹"));
    EXPECT_EQ(win->Head().SourcePath, sourceBefore) << "cancelled";
    EXPECT_EQ(&win->FolderChooser(), chooser);
    EXPECT_EQ(chooser->unanswered, 0);
}

TEST_F(MainWindowFixture, EnterOnATreeNodeInTheWindowGoesToItsFolder)
{
    const QByteArray music = dir.MakeDir("music");
    dir.MakeSizedFile("music/a.wav", 100);
    deliverCatalogue();
    start();
    QApplication::setActiveWindow(win.get());
    TFolderTree* tree = win->TargetPane()->Tree();
    tree->setFocus();
    ASSERT_TRUE(tree->SelectPath(music));
    EXPECT_NE(win->Head().TargetPath, music + "/");

    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(win->Head().TargetPath, music + "/");
    EXPECT_EQ(win->TargetPane()->ListModel().RowCount(), 1);
    EXPECT_EQ(win->ActiveTree(), tree);
}
