// The program's own folder chooser, driven as a user drives it.
#include "panes/ui/TFolderChooser.h"
#include "support/ModalDialog.h"
#include "support/TempFolder.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class FolderChooserTest : public testing::Test {
protected:
    TempFolder tmp;
    QByteArray desktop = tmp.Path() + "/Desktop";
    QByteArray gbk = desktop + "/\xd2\xf4\xc0\xd6"; // 音乐 in GBK
    QByteArray hidden = desktop + "/.hidden";
    QWidget window;
    TFolderChooser chooser{&window, {desktop, tmp.Path(), tmp.Path() + "/no-mounts"}};

    void SetUp() override
    {
        tmp.MakeDir("Desktop/\xd2\xf4\xc0\xd6/inner");
        tmp.MakeDir("Desktop/.hidden/deeper");
        tmp.MakeDir("Desktop/plain");
        window.show();
    }

    static QTreeView* Tree(QDialog& dialog) { return dialog.findChild<QTreeView*>(QStringLiteral("tvFolders")); }
    static QPushButton* Button(QDialog& dialog, QDialogButtonBox::StandardButton which)
    {
        return dialog.findChild<QDialogButtonBox*>()->button(which);
    }

    // The node of a folder, found by its bytes among the nodes shown so far.
    static QModelIndex NodeOf(QTreeView* tree, const QByteArray& path, const QModelIndex& parent = {})
    {
        QAbstractItemModel* model = tree->model();
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex child = model->index(row, 0, parent);
            if (child.data(FolderTreeModel::PathRole).toByteArray() == path)
                return child;
            if (const QModelIndex below = NodeOf(tree, path, child); below.isValid())
                return below;
        }
        return {};
    }

    static void Click(QTreeView* tree, const QModelIndex& node)
    {
        ASSERT_TRUE(node.isValid());
        tree->scrollTo(node);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(node).center());
    }
};

} // namespace

TEST_F(FolderChooserTest, ShowsGbkAndHiddenFoldersUnderTheCallersTitleAndReturnsTheirBytes)
{
    WhenModalDialogShows([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("选择目标文件夹"));
        EXPECT_EQ(Button(dialog, QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
        EXPECT_EQ(Button(dialog, QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
        QTreeView* tree = Tree(dialog);
        const QModelIndex music = NodeOf(tree, gbk);
        ASSERT_TRUE(music.isValid());
        EXPECT_EQ(music.data().toString(), QStringLiteral("音乐"));
        EXPECT_TRUE(NodeOf(tree, hidden).isValid());
        Click(tree, music);
        EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("lblChosenFolder"))->text().endsWith(QStringLiteral("/音乐")));

        QDir().mkpath(QStringLiteral(MELVANE_SCREENSHOTS));
        EXPECT_TRUE(dialog.grab().save(QStringLiteral(MELVANE_SCREENSHOTS "/folder-chooser.png")));
        QTest::mouseClick(Button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);
    });
    EXPECT_EQ(chooser.Choose(QStringLiteral("选择目标文件夹"), desktop), gbk);
}

TEST_F(FolderChooserTest, StartsAtTheGivenFolderAndEnterTakesIt)
{
    WhenModalDialogShows([&](QDialog& dialog) {
        QTreeView* tree = Tree(dialog);
        EXPECT_EQ(tree->currentIndex().data(FolderTreeModel::PathRole).toByteArray(), hidden + "/deeper");
        QTest::keyClick(tree, Qt::Key_Up);
        QTest::keyClick(tree, Qt::Key_Return);
    });
    EXPECT_EQ(chooser.Choose(QStringLiteral("选择源文件夹"), hidden + "/deeper/"), hidden);
}

TEST_F(FolderChooserTest, VirtualNodesCannotBeChosenAndCancelChoosesNothing)
{
    WhenModalDialogShows([&](QDialog& dialog) {
        QTreeView* tree = Tree(dialog);
        QPushButton* ok = Button(dialog, QDialogButtonBox::Ok);
        EXPECT_TRUE(ok->isEnabled()) << "the desktop is a folder";
        for (const QByteArray& virtualNode : {QByteArray("trash:///"), QByteArray("network:///")}) {
            Click(tree, NodeOf(tree, virtualNode));
            EXPECT_FALSE(ok->isEnabled()) << virtualNode.constData();
        }
        // A click beside the nodes keeps the last one selected.
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(5, tree->viewport()->height() - 3));
        EXPECT_EQ(tree->currentIndex().data(FolderTreeModel::PathRole).toByteArray(), "network:///");
        Click(tree, NodeOf(tree, desktop + "/plain"));
        EXPECT_TRUE(ok->isEnabled());
        QTest::mouseClick(Button(dialog, QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    EXPECT_EQ(chooser.Choose(QStringLiteral("选择源文件夹"), "/no/such/folder"), std::nullopt);
}

TEST_F(FolderChooserTest, WritesNoSettingsFile)
{
    WhenModalDialogShows([&](QDialog& dialog) { dialog.accept(); });
    EXPECT_EQ(chooser.Choose(QStringLiteral("选择源文件夹"), desktop), desktop);
    struct stat st {};
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    ASSERT_FALSE(config.isEmpty());
    EXPECT_NE(::stat((config + "/QtProject.conf").constData(), &st), 0);
}
