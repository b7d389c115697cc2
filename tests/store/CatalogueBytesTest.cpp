// The catalogue from a program folder of any bytes, and option tables the layer cannot read.
#include "CatalogueFixture.h"
#include "store/OptionStore.h"

#include <QSqlError>

TEST(CatalogueUri, KeepsEveryByteOfThePathAndNeverCreatesTheFile)
{
    const auto uri = [](const QByteArray& folder) { return TCatalogue::Uri(TCatalogue::FilePath(folder)); };
    EXPECT_EQ(uri("/opt/kiro/"), "file:/opt/kiro/KIROCustomList.mdb?mode=rw");
    EXPECT_EQ(uri("/m/\xd2\xf4\xc0\xd6/"), "file:/m/%D2%F4%C0%D6/KIROCustomList.mdb?mode=rw");
    // Characters a URI gives a meaning to stay part of the folder's name.
    EXPECT_EQ(uri("/a?b#c%d e/"), "file:/a%3Fb%23c%25d%20e/KIROCustomList.mdb?mode=rw");
    EXPECT_EQ(uri("/\xe9\x9f\xb3/"), "file:/%E9%9F%B3/KIROCustomList.mdb?mode=rw");
    EXPECT_EQ(TCatalogue::Uri("/usr/lib/k.mdb", true), "file:/usr/lib/k.mdb?mode=ro");
}

TEST_F(CatalogueFixture, OpensAndWritesFromAFolderWhoseNameIsNoUtf8)
{
    const QByteArray folder = dir.MakeDir("\xd2\xf4\xc0\xd6") + "/";
    ASSERT_TRUE(TempFolder::WriteBytes(folder + "KIROCustomList.mdb", TempFolder::ReadBytes(TCatalogue::FilePath(appPath))));
    ASSERT_TRUE(catalogue.Open(folder)) << catalogue.LastError().toStdString();
    ASSERT_TRUE(catalogue.Execute("insert into list (id, name, memo) values ('7', 'gbk', '')"));
    catalogue.Close();

    // The write went into the copy in that folder, not into a file of a mangled name.
    TCatalogue again;
    ASSERT_TRUE(again.Open(folder));
    QSqlQuery q(again.Database());
    ASSERT_TRUE(q.exec("select name from list where id = '7'"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "gbk");
    again.Close();

    // A missing catalogue in such a folder is still never created.
    ASSERT_EQ(::unlink(TCatalogue::FilePath(folder).constData()), 0);
    TCatalogue missing;
    EXPECT_FALSE(missing.Open(folder));
    struct stat st {};
    EXPECT_NE(::stat(TCatalogue::FilePath(folder).constData(), &st), 0);
}



TEST_F(CatalogueFixture, AnOptionTableWithoutItsColumnsFailsLoadAndSaveWithTheLayersError)
{
    ASSERT_TRUE(catalogue.Open(appPath));
    const struct {
        QLatin1String missing, kept;
    } tables[] = {{QLatin1String("name"), QLatin1String("value")}, {QLatin1String("value"), QLatin1String("name")}};
    for (const auto& [column, kept] : tables) {
        exec("drop table [option]");
        exec(QStringLiteral("create table [option] (%1 text, other text)").arg(kept));
        exec("insert into [option] values ('bConfirmation', 'T')");
        THead head;
        const OptionResult loaded = LoadOptions(catalogue.Database(), head);
        EXPECT_FALSE(loaded.ok()) << column.data();
        EXPECT_TRUE(loaded.error.contains(column)) << loaded.error.toStdString();
        const OptionResult saved = SaveOptions(catalogue.Database(), head);
        EXPECT_FALSE(saved.ok()) << column.data();
        EXPECT_TRUE(saved.error.contains(column)) << saved.error.toStdString();
    }
}
