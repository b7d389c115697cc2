#include "PlaylistFixture.h"

#include "playlists/ScopedTransaction.h"

#include <QRegularExpression>
#include <QSqlError>

namespace {

const QByteArray kQuoted = "/music/it's \"live\" ' or '1'='1.mp3";
// "歌曲.mp3" in GBK: not UTF-8, so it must survive as bytes.
const QByteArray kGbk = "/music/\xB8\xE8\xC7\xFA.mp3";
const QByteArray kUtf8 = "/music/歌曲.mp3";

QString storageClass(const QSqlDatabase& db, const QString& table, const QString& column, int row)
{
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec(QStringLiteral("select typeof(%1) from %2 order by rowid").arg(column, table)));
    for (int k = 0; k <= row; ++k)
        EXPECT_TRUE(q.next());
    return q.value(0).toString();
}

} // namespace

TEST_F(PlaylistFixture, ListsAreInsertedEditedAndDeletedInTableOrderWithTheirEntries)
{
    const QString a = newList("第一");
    const QString b = newList("it's \"b\"");
    EXPECT_NE(a, b);
    EXPECT_TRUE(QRegularExpression("^[0-9]{15,17}$").match(a).hasMatch()) << a.toStdString();

    ASSERT_TRUE(store->UpdateList(b, "renamed", "memo 'x'").ok);
    auto lists = store->Lists();
    ASSERT_TRUE(lists.ok);
    ASSERT_EQ(lists.value.size(), 2);
    EXPECT_EQ(lists.value[0].name, "第一");
    EXPECT_EQ(lists.value[1].id, b);
    EXPECT_EQ(lists.value[1].name, "renamed");
    EXPECT_EQ(lists.value[1].memo, "memo 'x'");

    ASSERT_TRUE(store->SaveEntries(a, {"/a.mp3", "/b.mp3"}).ok);
    // Entries go with their list even where the connection does not cascade.
    QSqlQuery(catalogue.Database()).exec("PRAGMA foreign_keys = OFF");
    ASSERT_TRUE(store->DeleteList(a).ok);
    QSqlQuery q(catalogue.Database());
    ASSERT_TRUE(q.exec("select count(*) from listdetail"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    EXPECT_EQ(store->Lists().value.size(), 1);
}

TEST_F(PlaylistFixture, TextsBeyondTheDeclaredWidthsAreRefusedByTheLayer)
{
    const auto tooLong = store->InsertList(QString(16, u'名'), "m");
    EXPECT_FALSE(tooLong.ok);
    EXPECT_FALSE(tooLong.error.isEmpty());
    EXPECT_TRUE(store->InsertList(QString(15, u'名'), QString(10, u'注')).ok);
}

TEST_F(PlaylistFixture, PathsKeepTheirExactBytesUtf8AsTextOthersAsBlob)
{
    const QString id = newList();
    const QList<QByteArray> paths{kQuoted, kGbk, kUtf8, kGbk};
    ASSERT_TRUE(store->SaveEntries(id, paths).ok);
    EXPECT_EQ(storedEntries(id), paths);
    auto read = store->Entries(id);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.value, paths);
    EXPECT_EQ(storageClass(catalogue.Database(), "listdetail", "filename", 0), "text");
    EXPECT_EQ(storageClass(catalogue.Database(), "listdetail", "filename", 1), "blob");
    EXPECT_EQ(storageClass(catalogue.Database(), "listdetail", "filename", 2), "text");

    // Saving again replaces the whole content and renumbers it.
    ASSERT_TRUE(store->SaveEntries(id, {kUtf8}).ok);
    EXPECT_EQ(storedEntries(id), QList<QByteArray>{kUtf8});
    EXPECT_TRUE(store->Entries("no such list").value.isEmpty());
}

TEST_F(PlaylistFixture, AFailureInTheMiddleOfASaveLeavesTheStoredListWhole)
{
    const QString id = newList();
    const QList<QByteArray> before{"/x.mp3", "/y.mp3", "/z.mp3"};
    ASSERT_TRUE(store->SaveEntries(id, before).ok);
    {
        TCatalogue other;
        ASSERT_TRUE(other.Open(appPath));
        ASSERT_TRUE(other.Execute("create trigger refuse before insert on listdetail when new.filename = '/boom.mp3' "
                                  "begin select raise(abort, 'injected failure'); end"));
    }
    const Result r = store->SaveEntries(id, {"/new1.mp3", "/new2.mp3", "/boom.mp3", "/new3.mp3"});
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("injected failure")) << r.error.toStdString();
    EXPECT_EQ(storedEntries(id), before);
}

TEST_F(PlaylistFixture, ASecondConnectionHoldingTheWriteLockLeavesTheListWholeAndReportsIt)
{
    const QString id = newList();
    ASSERT_TRUE(store->SaveEntries(id, {"/x.mp3", "/y.mp3"}).ok);
    TCatalogue other;
    ASSERT_TRUE(other.Open(appPath));
    ASSERT_TRUE(other.Execute("BEGIN IMMEDIATE"));
    const Result r = store->SaveEntries(id, {"/only.mp3"});
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("locked")) << r.error.toStdString();
    ASSERT_TRUE(other.Execute("ROLLBACK"));
    EXPECT_EQ(storedEntries(id), (QList<QByteArray>{"/x.mp3", "/y.mp3"}));
}

TEST_F(PlaylistFixture, ReadsLeaveNoLockBehindForOtherWriters)
{
    const QString id = newList();
    ASSERT_TRUE(store->SaveEntries(id, {"/a", "/b", "/c"}).ok);
    ASSERT_EQ(store->Entries(id).value.size(), 3);
    ASSERT_EQ(store->Lists().value.size(), 1);
    TCatalogue other;
    ASSERT_TRUE(other.Open(appPath));
    QSqlQuery busy(other.Database());
    ASSERT_TRUE(busy.exec("PRAGMA busy_timeout = 0"));
    EXPECT_TRUE(other.Execute("insert into list (id, name) values ('1', 'other')")) << other.LastError().toStdString();
}

TEST_F(PlaylistFixture, SwapsExchangeTwoPositionsAndRefuseABrokenNumbering)
{
    const QString id = newList();
    ASSERT_TRUE(store->SaveEntries(id, {"/X", "/Y", "/Z"}).ok);
    ASSERT_TRUE(store->SwapEntries(id, 1, 0).ok);
    EXPECT_EQ(storedEntries(id), (QList<QByteArray>{"/Y", "/X", "/Z"}));
    ASSERT_TRUE(store->SwapEntries(id, 1, 2).ok);
    EXPECT_EQ(storedEntries(id), (QList<QByteArray>{"/Y", "/Z", "/X"}));

    // Two rows at one position (written by other means): nothing changes.
    ASSERT_TRUE(catalogue.Execute(QStringLiteral("update listdetail set [order] = 1 where filename = '/X'")));
    EXPECT_FALSE(store->SwapEntries(id, 1, 0).ok);
    QSqlQuery q(catalogue.Database());
    QStringList orders;
    ASSERT_TRUE(q.exec("select filename || [order] from listdetail order by filename"));
    while (q.next())
        orders << q.value(0).toString();
    EXPECT_EQ(orders, (QStringList{"/X1", "/Y0", "/Z1"}));
}

TEST_F(PlaylistFixture, TargetFoldersAreRememberedOnceByTheirExactBytes)
{
    const QByteArray gbkFolder = "/music/\xB8\xE8\xC7\xFA";
    ASSERT_TRUE(store->RememberTarget("/music/a").ok);
    ASSERT_TRUE(store->RememberTarget("/music/a").ok);
    ASSERT_TRUE(store->RememberTarget("/music/A").ok);
    ASSERT_TRUE(store->RememberTarget(gbkFolder).ok);
    ASSERT_TRUE(store->RememberTarget(gbkFolder).ok);
    auto targets = store->Targets();
    ASSERT_TRUE(targets.ok);
    ASSERT_EQ(targets.value.size(), 3);
    EXPECT_EQ(targets.value[0].path, "/music/a");
    EXPECT_EQ(targets.value[1].path, "/music/A");
    EXPECT_EQ(targets.value[2].path, gbkFolder);
    EXPECT_EQ(storageClass(catalogue.Database(), "TargetList", "path", 2), "blob");
    EXPECT_NE(targets.value[0].id, targets.value[1].id);

    // Longer than the declared width, kept whole.
    const QByteArray longFolder = "/" + QByteArray(300, 'p');
    ASSERT_TRUE(store->RememberTarget(longFolder).ok);
    EXPECT_EQ(store->Targets().value.last().path, longFolder);
    ASSERT_TRUE(store->DeleteTarget(targets.value[1].id).ok);
    EXPECT_EQ(store->Targets().value.size(), 3);
    ASSERT_TRUE(store->DeleteAllTargets().ok);
    EXPECT_TRUE(store->Targets().value.isEmpty());
}

TEST_F(PlaylistFixture, ATransactionRollsBackUnlessCommitted)
{
    {
        ScopedTransaction tx(catalogue.Database());
        ASSERT_TRUE(tx.Begun().ok);
        ASSERT_TRUE(catalogue.Execute("insert into list (id, name) values ('5', 'gone')"));
    }
    EXPECT_TRUE(store->Lists().value.isEmpty());
    {
        ScopedTransaction tx(catalogue.Database());
        ASSERT_TRUE(catalogue.Execute("insert into list (id, name) values ('6', 'kept')"));
        ASSERT_TRUE(tx.Commit().ok);
    }
    ASSERT_EQ(store->Lists().value.size(), 1);
    EXPECT_EQ(store->Lists().value[0].name, "kept");
}
