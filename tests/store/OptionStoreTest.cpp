#include "CatalogueFixture.h"
#include "store/OptionStore.h"

namespace {

class OptionStoreTest : public CatalogueFixture {
protected:
    void SetUp() override
    {
        CatalogueFixture::SetUp();
        ASSERT_TRUE(catalogue.Open(appPath));
    }

    void setStored(const QString& name, const QString& value)
    {
        QSqlQuery q(catalogue.Database());
        q.prepare("update [option] set value = ? where name = ?");
        q.addBindValue(value);
        q.addBindValue(name);
        ASSERT_TRUE(q.exec());
    }

    QString stored(const QString& name)
    {
        QSqlQuery q(catalogue.Database());
        q.prepare("select value from [option] where name = ?");
        q.addBindValue(name);
        EXPECT_TRUE(q.exec());
        return q.next() ? q.value(0).toString() : QStringLiteral("<no row>");
    }

    THead head;
};

} // namespace

TEST(OptionForms, FlagsReadTrueOnlyFromTtYy)
{
    for (const char* yes : {"T", "true", "t", "Y", "yes", "y"})
        EXPECT_TRUE(ReadFlag(QLatin1String(yes))) << yes;
    for (const char* no : {"", "F", "1", "N", " T", "x"})
        EXPECT_FALSE(ReadFlag(QLatin1String(no))) << no;
    EXPECT_EQ(FlagText(true), "T");
    EXPECT_EQ(FlagText(false), "F");
}

TEST(OptionForms, IntegersAreDecimalText)
{
    EXPECT_EQ(ReadInteger("5"), 5);
    EXPECT_EQ(ReadInteger("-3"), -3);
    EXPECT_EQ(ReadInteger("0"), 0);
    for (const char* bad : {"", "abc", "1.5", "0x10", " 2", "99999999999"})
        EXPECT_FALSE(ReadInteger(QLatin1String(bad)).has_value()) << bad;
}

TEST_F(OptionStoreTest, DeliveredValuesLoad)
{
    ASSERT_TRUE(LoadOptions(catalogue.Database(), head).ok());
    EXPECT_TRUE(head.bConfirmation);
    EXPECT_TRUE(head.bContinuous);
    EXPECT_FALSE(head.bShowHideSys);
    EXPECT_EQ(head.iFileSizeUnit, 1);
    EXPECT_EQ(head.iT2FMode, 2);
    EXPECT_EQ(head.iTryMaxCount, 3);
}

TEST_F(OptionStoreTest, StoredFormsOfEveryKind)
{
    setStored("bShowHideSys", "yes");
    setStored("bConfirmation", "1");
    setStored("bContinuous", "");
    setStored("iFileSizeUnit", "5");
    ASSERT_TRUE(LoadOptions(catalogue.Database(), head).ok());
    EXPECT_TRUE(head.bShowHideSys);
    EXPECT_FALSE(head.bConfirmation);
    EXPECT_FALSE(head.bContinuous);
    EXPECT_EQ(head.iFileSizeUnit, 5);
}

TEST_F(OptionStoreTest, MissingRowsKeepValuesAndTheLastOfSeveralRowsWins)
{
    exec("delete from [option] where name = 'iTryMaxCount'");
    exec("insert into [option] (name, value) values ('iT2FMode', '1')");
    exec("insert into [option] (name, value) values ('BCONTINUOUS', 'F')");
    ASSERT_TRUE(LoadOptions(catalogue.Database(), head).ok());
    EXPECT_EQ(head.iTryMaxCount, 0);
    EXPECT_EQ(head.iT2FMode, 1);
    EXPECT_TRUE(head.bContinuous);
}

TEST_F(OptionStoreTest, ANumberThatIsNoDecimalStopsLoadingAtItsRow)
{
    setStored("iFileSizeUnit", "abc");
    const OptionResult result = LoadOptions(catalogue.Database(), head);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains("abc")) << result.error.toStdString();
    // Rows before it were read, rows after it were not.
    EXPECT_TRUE(head.bConfirmation);
    EXPECT_EQ(head.iFileSizeUnit, 0);
    EXPECT_EQ(head.iT2FMode, 0);
}

TEST_F(OptionStoreTest, SaveWritesTheFiveDialogOptionsIntoExistingRowsOnly)
{
    exec("delete from [option] where name = 'bContinuous'");
    head.bConfirmation = false;
    head.bContinuous = true;
    head.bShowHideSys = true;
    head.iFileSizeUnit = 0;
    head.iT2FMode = 1;
    head.iTryMaxCount = 42;
    ASSERT_TRUE(SaveOptions(catalogue.Database(), head).ok());
    EXPECT_EQ(stored("bConfirmation"), "F");
    EXPECT_EQ(stored("bContinuous"), "<no row>");
    EXPECT_EQ(stored("bShowHideSys"), "T");
    EXPECT_EQ(stored("iFileSizeUnit"), "0");
    EXPECT_EQ(stored("iT2FMode"), "1");
    EXPECT_EQ(stored("iTryMaxCount"), "3");
}

TEST_F(OptionStoreTest, TheVolumeIsFullWithoutItsRowAndSavingAddsTheRowOnce)
{
    exec("delete from [option] where name = 'iVolume'");
    ASSERT_TRUE(LoadOptions(catalogue.Database(), head).ok());
    EXPECT_EQ(head.iVolume, 255);
    ASSERT_TRUE(SaveVolume(catalogue.Database(), 90).ok());
    ASSERT_TRUE(SaveVolume(catalogue.Database(), 100).ok());
    QSqlQuery rows(catalogue.Database());
    ASSERT_TRUE(rows.exec("select count(*) from [option] where name = 'iVolume'") && rows.next());
    EXPECT_EQ(rows.value(0).toInt(), 1);
    ASSERT_TRUE(LoadOptions(catalogue.Database(), head).ok());
    EXPECT_EQ(head.iVolume, 100);
    // The options dialog leaves the volume alone.
    ASSERT_TRUE(SaveOptions(catalogue.Database(), head).ok());
    EXPECT_EQ(stored("iVolume"), "100");
}

TEST(OptionStoreClosed, SavingWithoutAConnectionReportsTheLayersError)
{
    TCatalogue closed;
    THead head;
    EXPECT_FALSE(SaveOptions(closed.Database(), head).ok());
}
