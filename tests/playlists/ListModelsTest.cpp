#include "PlaylistFixture.h"

#include "playlists/TListDetailModel.h"
#include "playlists/TListQuery.h"

#include <QSignalSpy>

TEST_F(PlaylistFixture, TheListQueryFollowsItsCurrentRowThroughInsertEditAndDelete)
{
    const QString a = newList("a");
    const QString b = newList("b");
    const QString c = newList("c");
    TListQuery query(*store);
    QSignalSpy scrolled(&query, &TListQuery::AfterScroll);
    ASSERT_TRUE(query.Open().ok);
    EXPECT_EQ(scrolled.size(), 1);
    EXPECT_EQ(query.CurrentId(), a);
    EXPECT_EQ(query.headerData(TListQuery::NameColumn, Qt::Horizontal).toString(), "列表名");
    EXPECT_EQ(query.headerData(TListQuery::MemoColumn, Qt::Horizontal).toString(), "备注");

    EXPECT_TRUE(query.Locate(b));
    EXPECT_EQ(query.Current(), 1);
    EXPECT_FALSE(query.Locate("404"));
    EXPECT_EQ(query.Current(), 1);

    ASSERT_TRUE(query.EditCurrent("b2", "m").ok);
    EXPECT_EQ(query.data(query.index(1, TListQuery::NameColumn)).toString(), "b2");
    EXPECT_EQ(query.CurrentId(), b);

    // The following row after a delete, the previous one after deleting the last; each announced once.
    const qsizetype announced = scrolled.size();
    ASSERT_TRUE(query.DeleteCurrent().ok);
    EXPECT_EQ(scrolled.size(), announced + 1);
    EXPECT_EQ(query.CurrentId(), c);
    ASSERT_TRUE(query.DeleteCurrent().ok);
    EXPECT_EQ(query.CurrentId(), a);
    ASSERT_TRUE(query.DeleteCurrent().ok);
    EXPECT_EQ(query.Current(), -1);
    EXPECT_EQ(query.CurrentId(), "");
    EXPECT_FALSE(query.DeleteCurrent().ok);
    EXPECT_FALSE(query.EditCurrent("x", "y").ok);

    const int before = int(scrolled.size());
    const auto id = query.Insert("new", "");
    ASSERT_TRUE(id.ok);
    EXPECT_EQ(query.CurrentId(), id.value);
    EXPECT_EQ(scrolled.size(), before + 1);
    EXPECT_EQ(store->Lists().value.size(), 1);
}

TEST_F(PlaylistFixture, AFailedChangeLeavesTheQueryAsItWas)
{
    newList("a");
    TListQuery query(*store);
    ASSERT_TRUE(query.Open().ok);
    EXPECT_FALSE(query.Insert(QString(16, u'x'), "").ok);
    EXPECT_EQ(query.RecordCount(), 1);
    EXPECT_FALSE(query.EditCurrent("a", QString(11, u'x')).ok);
    EXPECT_EQ(query.Row(0).memo, "");
}

TEST(ListDetailModel, GivesPathsAsBytesAndRemovesAndSwapsRows)
{
    TListDetailModel model;
    const QByteArray gbk = "/m/\xB8\xE8\xC7\xFA.mp3";
    model.SetPaths({"/a", gbk, "/c", "/d", "/e"});
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "文件名");
    EXPECT_EQ(model.data(model.index(1, 0), kNameBytesRole).toByteArray(), gbk);
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), "/m/歌曲.mp3");

    model.SwapRows(0, 2);
    EXPECT_EQ(model.Paths(), (QList<QByteArray>{"/c", gbk, "/a", "/d", "/e"}));
    model.RemoveRows({4, 0, 1, 4});
    EXPECT_EQ(model.Paths(), (QList<QByteArray>{"/a", "/d"}));
    model.Append({"/a"});
    EXPECT_EQ(model.Paths(), (QList<QByteArray>{"/a", "/d", "/a"}));
    model.RemoveRows({7});
    EXPECT_EQ(model.Count(), 3);
}
