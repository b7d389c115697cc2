#include "panes/ui/FolderPlaces.h"
#include "panes/ui/FolderTreeModel.h"
#include "support/TempFolder.h"

#include <QPersistentModelIndex>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Kind = FolderTreeModel::NodeKind;

// A desktop inside a home folder, and a mounts file naming one volume.
struct TreePlaces {
    TempFolder tmp;
    QByteArray root = tmp.Path();
    QByteArray home = root + "/home";
    QByteArray desktop = home + "/Desktop";
    QByteArray volume = root + "/media/usb";
    QByteArray mounts = root + "/mounts";

    TreePlaces()
    {
        tmp.MakeDir("home/Desktop");
        tmp.MakeDir("media/usb");
        WriteMounts("/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 " + volume + " vfat rw 0 0\n");
    }
    void WriteMounts(const QByteArray& text) const { EXPECT_TRUE(TempFolder::WriteBytes(mounts, text)); }
    FolderTreeModel::Places Places() const { return {desktop, home, mounts}; }
};

QStringList Captions(const FolderTreeModel& model, const QModelIndex& parent)
{
    QStringList captions;
    for (int row = 0; row < model.rowCount(parent); ++row)
        captions << model.index(row, 0, parent).data().toString();
    return captions;
}

QModelIndex ChildByPath(const FolderTreeModel& model, const QModelIndex& parent, const QByteArray& path)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        if (model.Path(child) == path)
            return child;
    }
    return {};
}

} // namespace

TEST(FolderTreeModel, DesktopHoldsHomeComputerVirtualNodesThenItsFolders)
{
    TreePlaces s;
    s.tmp.MakeDir("home/Desktop/beta");
    s.tmp.MakeDir("home/Desktop/Alpha");
    s.tmp.MakeDir("home/Desktop/.hidden");
    s.tmp.MakeSizedFile("home/Desktop/song.mp3", 10);
    FolderTreeModel model(s.Places());

    const QModelIndex root = model.RootIndex();
    EXPECT_EQ(root.data().toString(), QStringLiteral("桌面"));
    EXPECT_EQ(model.Path(root), s.desktop);
    EXPECT_TRUE(model.canFetchMore(root));
    model.fetchMore(root);
    EXPECT_EQ(Captions(model, root),
              (QStringList{"home", QStringLiteral("我的电脑"), QStringLiteral("回收站"), QStringLiteral("网上邻居"),
                           ".hidden", "Alpha", "beta"}));
    EXPECT_EQ(model.Path(model.index(1, 0, root)), "/");
    EXPECT_EQ(model.Path(model.index(2, 0, root)), "trash:///");
    EXPECT_EQ(model.Path(model.index(3, 0, root)), "network:///");
    EXPECT_FALSE(model.hasChildren(model.index(2, 0, root)));
    EXPECT_EQ(model.Path(model.index(6, 0, root)), s.desktop + "/beta");
}

TEST(FolderTreeModel, FoldersLoadOnlyWhenAskedFor)
{
    TreePlaces s;
    s.tmp.MakeDir("home/Desktop/a");
    s.tmp.MakeDir("home/Desktop/a/inner");
    FolderTreeModel model(s.Places());
    model.fetchMore(model.RootIndex());
    const QModelIndex a = ChildByPath(model, model.RootIndex(), s.desktop + "/a");

    EXPECT_EQ(model.rowCount(a), 0);
    EXPECT_TRUE(model.hasChildren(a));
    model.fetchMore(a);
    EXPECT_EQ(Captions(model, a), QStringList{"inner"});
    const QModelIndex inner = model.index(0, 0, a);
    model.fetchMore(inner);
    EXPECT_FALSE(model.hasChildren(inner));
}

TEST(FolderTreeModel, AFolderOfManyFilesShowsItsFoldersOnceReadAndResolvesAtOnceMeanwhile)
{
    TreePlaces s;
    for (int i = 0; i < 2000; ++i)
        s.tmp.MakeSizedFile("home/Desktop/f" + QByteArray::number(i), 1);
    s.tmp.MakeDir("home/Desktop/zeta");
    s.tmp.MakeDir("home/Desktop/alpha");
    const QStringList fixed {"home", QStringLiteral("我的电脑"), QStringLiteral("回收站"), QStringLiteral("网上邻居")};

    FolderTreeModel model(s.Places());
    model.fetchMore(model.RootIndex());
    EXPECT_EQ(Captions(model, model.RootIndex()), fixed);
    EXPECT_TRUE(model.hasChildren(model.RootIndex()));
    QTRY_COMPARE(Captions(model, model.RootIndex()), fixed + QStringList({"alpha", "zeta"}));

    FolderTreeModel other(s.Places());
    other.fetchMore(other.RootIndex());
    EXPECT_EQ(other.Path(other.Resolve(s.desktop + "/zeta")), s.desktop + "/zeta");
}

TEST(FolderTreeModel, ComputerListsDeeperVolumesFirst)
{
    TreePlaces s;
    FolderTreeModel model(s.Places());
    model.fetchMore(model.RootIndex());
    const QModelIndex computer = model.index(1, 0, model.RootIndex());
    model.fetchMore(computer);

    ASSERT_GT(model.rowCount(computer), 1);
    EXPECT_EQ(model.Kind(model.index(0, 0, computer)), Kind::Volume);
    EXPECT_EQ(model.Path(model.index(0, 0, computer)), s.volume);
    EXPECT_EQ(model.index(0, 0, computer).data().toString(), "usb");
    const QModelIndex after = model.index(1, 0, computer);
    EXPECT_EQ(model.Kind(after), Kind::Folder);
    EXPECT_EQ(model.Path(after).lastIndexOf('/'), 0) << "the root's own sub-folders follow the volumes";
}

TEST(FolderTreeModel, RefreshDropsVanishedAndAddsNewFoldersKeepingTheRest)
{
    TreePlaces s;
    s.tmp.MakeDir("home/Desktop/a");
    s.tmp.MakeDir("home/Desktop/a/keep");
    s.tmp.MakeDir("home/Desktop/a/keep/deep");
    s.tmp.MakeDir("home/Desktop/a/old");
    FolderTreeModel model(s.Places());
    const QModelIndex a = model.Resolve(s.desktop + "/a/keep/deep").parent().parent();
    ASSERT_EQ(model.Path(a), s.desktop + "/a");
    const QPersistentModelIndex keep = ChildByPath(model, a, s.desktop + "/a/keep");
    ASSERT_TRUE(keep.isValid());

    ASSERT_EQ(::rmdir((s.desktop + "/a/old").constData()), 0);
    s.tmp.MakeDir("home/Desktop/a/new");
    model.Refresh(a);

    EXPECT_EQ(Captions(model, a), (QStringList{"keep", "new"}));
    ASSERT_TRUE(keep.isValid());
    EXPECT_EQ(model.Path(keep), s.desktop + "/a/keep");
    EXPECT_EQ(model.rowCount(keep), 1) << "the kept node lost its loaded sub-folders";
    EXPECT_EQ(keep.parent(), a);
}

TEST(FolderTreeModel, VolumesThatChangeOrderAreMovedNotDuplicated)
{
    TreePlaces s;
    const QByteArray stick = s.tmp.MakeDir("media/stick");
    s.tmp.MakeDir("media/usb/songs");
    s.WriteMounts("/dev/sdb1 " + s.volume + " vfat rw 0 0\n/dev/sdc1 " + stick + " vfat rw 0 0\n");
    FolderTreeModel model(s.Places());
    model.fetchMore(model.RootIndex());
    const QModelIndex computer = model.index(1, 0, model.RootIndex());
    model.fetchMore(computer);
    const int rows = model.rowCount(computer);
    const QPersistentModelIndex usb = ChildByPath(model, computer, s.volume);
    model.fetchMore(usb);
    ASSERT_EQ(Captions(model, usb), QStringList{"songs"});

    // Plugged in again, the sticks come back in the other order.
    s.WriteMounts("/dev/sdc1 " + stick + " vfat rw 0 0\n/dev/sdb1 " + s.volume + " vfat rw 0 0\n");
    model.Refresh(computer);
    EXPECT_EQ(model.rowCount(computer), rows);
    EXPECT_EQ(model.Path(model.index(0, 0, computer)), stick);
    EXPECT_EQ(model.Path(model.index(1, 0, computer)), s.volume);
    ASSERT_TRUE(usb.isValid());
    EXPECT_EQ(usb.row(), 1);
    EXPECT_EQ(Captions(model, usb), QStringList{"songs"}) << "the moved node keeps its sub-folders";

    // And again, one gone and a third one new, in front.
    const QByteArray card = s.tmp.MakeDir("media/card");
    s.WriteMounts("/dev/sdd1 " + card + " vfat rw 0 0\n/dev/sdb1 " + s.volume + " vfat rw 0 0\n");
    model.Refresh(computer);
    EXPECT_EQ(model.rowCount(computer), rows);
    EXPECT_EQ(model.Path(model.index(0, 0, computer)), card);
    EXPECT_EQ(model.Path(model.index(1, 0, computer)), s.volume);
    for (int row = 0; row < model.rowCount(computer); ++row)
        EXPECT_EQ(model.index(row, 0, computer).row(), row);
}

TEST(FolderTreeModel, RefreshOfTheDesktopKeepsItsFixedNodes)
{
    TreePlaces s;
    s.tmp.MakeDir("home/Desktop/x");
    FolderTreeModel model(s.Places());
    model.fetchMore(model.RootIndex());
    ASSERT_EQ(::rmdir((s.desktop + "/x").constData()), 0);
    model.Refresh(model.RootIndex());
    EXPECT_EQ(model.rowCount(model.RootIndex()), 4);
    EXPECT_EQ(model.Path(model.index(3, 0, model.RootIndex())), "network:///");
}

TEST(FolderTreeModel, ResolveStartsFromTheClosestPlace)
{
    TreePlaces s;
    s.tmp.MakeDir("home/Desktop/music");
    s.tmp.MakeDir("home/docs");
    s.tmp.MakeDir("media/usb/songs");
    FolderTreeModel model(s.Places());

    const QModelIndex music = model.Resolve(s.desktop + "/music/");
    ASSERT_TRUE(music.isValid());
    EXPECT_EQ(music.parent(), model.RootIndex());

    const QModelIndex docs = model.Resolve(s.home + "/docs");
    ASSERT_TRUE(docs.isValid());
    EXPECT_EQ(model.Kind(docs.parent()), Kind::Home);

    const QModelIndex songs = model.Resolve(s.volume + "/songs");
    ASSERT_TRUE(songs.isValid());
    EXPECT_EQ(model.Kind(songs.parent()), Kind::Volume);

    const QModelIndex media = model.Resolve(s.root + "//media/.");
    ASSERT_TRUE(media.isValid());
    EXPECT_EQ(model.Path(media), s.root + "/media");
    EXPECT_EQ(model.Kind(model.Resolve("/")), Kind::Computer);
    EXPECT_EQ(model.Kind(model.Resolve("trash:///")), Kind::Trash);
}

TEST(FolderTreeModel, ResolveFindsFoldersMadeAfterLoadingAndFailsOnMissingOnes)
{
    TreePlaces s;
    FolderTreeModel model(s.Places());
    model.fetchMore(model.RootIndex());
    s.tmp.MakeDir("home/Desktop/later");
    EXPECT_TRUE(model.Resolve(s.desktop + "/later").isValid());
    EXPECT_FALSE(model.Resolve(s.desktop + "/missing").isValid());
    EXPECT_FALSE(model.Resolve("relative/path").isValid());
}

TEST(FolderTreeModel, NonUtf8NamesKeepTheirBytesAndShowReadably)
{
    TreePlaces s;
    const QByteArray gbk = s.tmp.MakeDir("home/Desktop/\xd2\xf4\xc0\xd6");
    FolderTreeModel model(s.Places());
    const QModelIndex node = model.Resolve(gbk);
    ASSERT_TRUE(node.isValid());
    EXPECT_EQ(model.Path(node), gbk);
    EXPECT_EQ(node.data().toString(), QStringLiteral("音乐"));
    EXPECT_EQ(node.data(FolderTreeModel::PathRole).toByteArray(), gbk);
}
