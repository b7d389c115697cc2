#include "CatalogueFixture.h"
#include "store/CatalogueStatements.h"

#include <QProcess>
#include <QSqlError>
#include <QSqlRecord>

TEST_F(CatalogueFixture, DeliveredCatalogueHoldsFourTablesAndSevenOptionRows)
{
    ASSERT_TRUE(catalogue.Open(appPath)) << catalogue.LastError().toStdString();
    QSqlQuery q(catalogue.Database());
    ASSERT_TRUE(q.exec("select name from sqlite_master where type='table' order by name"));
    QStringList tables;
    while (q.next())
        tables << q.value(0).toString();
    EXPECT_EQ(tables, (QStringList{"TargetList", "list", "listdetail", "option"}));

    ASSERT_TRUE(q.exec(Statements::kSelectOptions));
    QStringList rows;
    while (q.next())
        rows << q.value("name").toString() + "=" + q.value("value").toString();
    EXPECT_EQ(rows, (QStringList{"bConfirmation=T", "bContinuous=T", "bShowHideSys=F", "iFileSizeUnit=1",
                                 "iT2FMode=2", "iTryMaxCount=3", "iVolume=255"}));
}

TEST_F(CatalogueFixture, ListEntriesComeInAscendingPositionAndGoWithTheirList)
{
    ASSERT_TRUE(catalogue.Open(appPath));
    exec("insert into list (id, name, memo) values ('1', 'a', 'm')");
    exec("insert into listdetail (id, filename, [order]) values ('1', '/b.mp3', 1)");
    exec("insert into listdetail (id, filename, [order]) values ('1', '/a.mp3', 0)");
    QSqlQuery q(catalogue.Database());
    ASSERT_TRUE(q.exec("select * from listdetail where id = '1' order by [order]"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value("filename").toString(), "/a.mp3");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value("filename").toString(), "/b.mp3");

    // Entries of a list that no longer exists would be unreachable rows.
    exec("delete from list where id = '1'");
    ASSERT_TRUE(q.exec("select count(*) from listdetail"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
}

TEST_F(CatalogueFixture, ColumnLengthsAreEnforcedByTheLayer)
{
    ASSERT_TRUE(catalogue.Open(appPath));
    QSqlQuery q(catalogue.Database());
    q.prepare("insert into list (id, name, memo) values (?, ?, ?)");
    q.addBindValue("2");
    q.addBindValue(QString(16, u'名'));
    q.addBindValue("m");
    EXPECT_FALSE(q.exec());
    EXPECT_FALSE(q.lastError().text().isEmpty());
    // A folder path is kept whole, beyond its declared width.
    q.prepare("insert into TargetList (id, path) values (?, ?)");
    q.addBindValue("3");
    q.addBindValue(QString(256, u'p'));
    EXPECT_TRUE(q.exec());
}

TEST_F(CatalogueFixture, UserDataGoesInAsBoundValues)
{
    ASSERT_TRUE(catalogue.Open(appPath));
    QSqlQuery q(catalogue.Database());
    q.prepare("insert into TargetList (id, path) values (?, ?)");
    q.addBindValue("4");
    q.addBindValue("/music/it's'; delete from list; --/");
    ASSERT_TRUE(q.exec());
    EXPECT_TRUE(catalogue.Execute("delete from TargetList"));
    ASSERT_TRUE(q.exec("select count(*) from TargetList"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
}

TEST_F(CatalogueFixture, MissingFileIsNeverCreated)
{
    ASSERT_TRUE(QFile::remove(catalogueFile()));
    EXPECT_FALSE(catalogue.Open(appPath));
    EXPECT_FALSE(catalogue.IsOpen());
    EXPECT_FALSE(catalogue.LastError().isEmpty());
    EXPECT_FALSE(QFile::exists(catalogueFile()));
}

TEST_F(CatalogueFixture, AFileThatIsNoDatabaseFailsAtTheFirstStatementWithTheLayersText)
{
    QFile f(catalogueFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(4096, 'x'));
    f.close();
    ASSERT_TRUE(catalogue.Open(appPath));
    QSqlQuery q(catalogue.Database());
    EXPECT_FALSE(q.exec("select * from list"));
    EXPECT_TRUE(q.lastError().text().contains("not a database")) << q.lastError().text().toStdString();
}

TEST_F(CatalogueFixture, ConnectionKeepsForeignKeysAndWaitsForOtherProgramsLocks)
{
    ASSERT_TRUE(catalogue.Open(appPath));
    QSqlQuery q(catalogue.Database());
    ASSERT_TRUE(q.exec("PRAGMA foreign_keys"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);
    ASSERT_TRUE(q.exec("PRAGMA busy_timeout"));
    ASSERT_TRUE(q.next());
    EXPECT_GE(q.value(0).toInt(), 1000);
}

namespace {

int makeCatalogue(const QString& out)
{
    return QProcess::execute(QStringLiteral(MELVANE_CMAKE),
                             {QStringLiteral("-DSQL=" MELVANE_CATALOGUE_SQL), "-DOUT=" + out,
                              QStringLiteral("-P"), QStringLiteral(MELVANE_MAKE_CATALOGUE)});
}

} // namespace

TEST_F(CatalogueFixture, BuildingAgainKeepsTheUsersCatalogue)
{
    const QString out = QFile::decodeName(dir.At("made/KIROCustomList.mdb"));
    ASSERT_EQ(makeCatalogue(out), 0);
    {
        TCatalogue made;
        ASSERT_TRUE(made.Open(dir.At("made/")));
        ASSERT_TRUE(made.Execute("insert into list (id, name, memo) values ('9', 'mine', '')"));
    }
    ASSERT_EQ(makeCatalogue(out), 0);
    TCatalogue again;
    ASSERT_TRUE(again.Open(dir.At("made/")));
    QSqlQuery q(again.Database());
    ASSERT_TRUE(q.exec("select name from list"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "mine");
}
