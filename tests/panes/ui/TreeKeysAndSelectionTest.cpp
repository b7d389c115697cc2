// The folder tree keeps one node selected and works from the keyboard; Tab walks the pane.
#include "PaneFixture.h"
#include "panes/ui/TFileListView.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>

TEST_F(FolderPaneTest, ClicksBesideTheNodesOrCtrlClicksNeverLeaveTheTreeWithoutSelection)
{
    tmp.MakeSizedFile("Desktop/music/a.wav", 100);
    tmp.MakeSizedFile("Desktop/talk/b.wav", 100);
    BuildAndShow();
    const QModelIndex music = Node(desktop + "/music");
    ClickNode(music);
    ASSERT_EQ(head.SourcePath, desktop + "/music/");

    // Empty space below the last node.
    const QRect last = Tree()->visualRect(Node(desktop + "/talk"));
    ASSERT_LT(last.bottom() + 20, Tree()->viewport()->height());
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, QPoint(last.left() + 5, last.bottom() + 20));
    EXPECT_EQ(Tree()->SelectedPath(), desktop + "/music");

    ClickNode(music, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(Tree()->SelectedPath(), desktop + "/music");
    EXPECT_EQ(head.SourcePath, desktop + "/music/");

    // The tree still works afterwards.
    ClickNode(Node(desktop + "/talk"));
    EXPECT_EQ(head.SourcePath, desktop + "/talk/");
    EXPECT_EQ(Captions(), QStringList{"b.wav"});
}

TEST_F(FolderPaneTest, ARefreshThatDropsTheSelectedFolderSelectsTheOneAbove)
{
    const QByteArray deep = tmp.MakeDir("Desktop/a/b/c");
    BuildAndShow();
    ASSERT_TRUE(Tree()->SelectPath(deep));
    TempFolder::RemoveTree(desktop + "/a/b");
    Tree()->RefreshNode(Node(desktop + "/a"));
    EXPECT_EQ(Tree()->SelectedPath(), desktop + "/a");
}

TEST_F(FolderPaneTest, EnterOnANodeActsAsAClick)
{
    tmp.MakeSizedFile("Desktop/music/a.wav", 100);
    BuildAndShow();
    QSignalSpy treeActivated(pane.get(), &TFolderPane::TreeActivated);
    Tree()->setFocus();
    // From the desktop down past its fixed nodes (home, computer, trash, network) to the folder.
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(Tree(), Qt::Key_Down);
    ASSERT_EQ(Tree()->SelectedPath(), desktop + "/music");
    EXPECT_EQ(head.SourcePath, desktop + "/") << "moving the selection is no click";

    QTest::keyClick(Tree(), Qt::Key_Return);
    EXPECT_EQ(head.SourcePath, desktop + "/music/");
    EXPECT_EQ(Captions(), QStringList{"a.wav"});
    EXPECT_EQ(treeActivated.count(), 1);

    QTest::keyClick(Tree(), Qt::Key_Up);
    QTest::keyClick(Tree(), Qt::Key_Enter);
    EXPECT_EQ(head.SourcePath, QByteArray("network:///"));
}

TEST_F(FolderPaneTest, TabWalksTreePathFieldTypeBoxAndList)
{
    BuildAndShow();
    QApplication::setActiveWindow(pane.get());
    Tree()->setFocus();
    const QList<QWidget*> order = {pane->PathField(), pane->FileTypeBox(), pane->List(), Tree()};
    for (QWidget* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected) << expected->objectName().toStdString();
    }
}

TEST_F(FolderPaneTest, SizeAndAttributeColumnsFitTheirWidestTextsAndOtherColumnsKeepTheirWidths)
{
    head.iFileSizeUnit = 1;
    tmp.MakeSizedFile("Desktop/k.wav", 1023);           // 0.000976MB
    tmp.MakeSizedFile("Desktop/big.wav", 2000000000);   // 1.91E3MB
    BuildAndShow();
    TFileListView* list = pane->List();
    const int size = pane->ListModel().ColumnOf(QStringLiteral("大小"));
    ASSERT_EQ(pane->ListModel().RowCount(), 2);
    // What the list's cells need to show their texts whole, as the list itself measures them.
    const QAbstractItemView* view = list;
    EXPECT_LE(view->sizeHintForColumn(size), list->columnWidth(size));
    const QFontMetrics metrics(list->font());
    EXPECT_GT(list->columnWidth(size), metrics.horizontalAdvance(QStringLiteral("5.72E3MB")));
    // Both files are plain: "无属性文件", the longest attribute text.
    const int attributes = pane->ListModel().ColumnOf(QStringLiteral("属性"));
    EXPECT_LE(view->sizeHintForColumn(attributes), list->columnWidth(attributes));
    for (const auto& [title, width] : {std::pair{"文件名", 150}, {"类型", 40}, {"修改时间", 130}})
        EXPECT_EQ(list->columnWidth(pane->ListModel().ColumnOf(QString::fromUtf8(title))), width) << title;
}
