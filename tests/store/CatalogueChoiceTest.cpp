// Which catalogue a user works with: the delivered one where the user can write it, else the user's
// own copy, else the delivered one for reading only.
#include "CatalogueFixture.h"
#include "store/CatalogueChoice.h"
#include "store/OptionStore.h"

#include <functional>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Root writes everything: these tests run again as nobody (tests/store/CMakeLists.txt).
#define SKIP_AS_ROOT()                                                                      \
    if (::geteuid() == 0)                                                                   \
        GTEST_SKIP() << "root can write every file";

class CatalogueChoiceTest : public CatalogueFixture {
protected:
    QByteArray delivered() const { return TCatalogue::FilePath(appPath); }
    QByteArray ownFolder() const { return home.At("data/melvanekiro/"); }

    // As an installation under /usr leaves it to an ordinary user.
    void protectProgramFolder()
    {
        ASSERT_EQ(::chmod(delivered().constData(), 0444), 0);
        ASSERT_EQ(::chmod(appPath.constData(), 0555), 0);
    }

    static QByteArrayList namesIn(const QByteArray& folder)
    {
        QByteArrayList names;
        if (DIR* d = ::opendir(folder.constData())) {
            while (const dirent* e = ::readdir(d)) {
                if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
                    names.append(e->d_name);
            }
            ::closedir(d);
        }
        return names;
    }

    TempFolder home;
};

} // namespace

TEST(OwnCatalogueFolder, IsInTheUsersDataFolder)
{
    EXPECT_EQ(OwnCatalogueFolder("/x/data", "/home/u"), "/x/data/melvanekiro/");
    EXPECT_EQ(OwnCatalogueFolder("", "/home/u"), "/home/u/.local/share/melvanekiro/");
    // The base directory specification ignores a relative path.
    EXPECT_EQ(OwnCatalogueFolder("data", "/home/u"), "/home/u/.local/share/melvanekiro/");
    EXPECT_EQ(OwnCatalogueFolder("", ""), "");
}

TEST_F(CatalogueChoiceTest, AWritableCatalogueBesideTheProgramIsTheOneAndNoCopyIsMade)
{
    const CatalogueChoice choice = ChooseCatalogue(appPath, ownFolder());
    EXPECT_EQ(choice.kind, CatalogueChoice::Kind::Beside);
    EXPECT_EQ(choice.file, delivered());
    EXPECT_NE(::access(ownFolder().constData(), F_OK), 0);
    EXPECT_EQ(ChooseCatalogue(appPath + "none/", ownFolder()).kind, CatalogueChoice::Kind::Missing);
}

TEST_F(CatalogueChoiceTest, AnInstalledCatalogueIsCopiedForTheUserOnceAndTheCopyIsNeverReplaced)
{
    SKIP_AS_ROOT();
    protectProgramFolder();
    const QByteArray original = TempFolder::ReadBytes(delivered());
    const QByteArray own = ownFolder() + kCatalogueName;

    CatalogueChoice choice = ChooseCatalogue(appPath, ownFolder());
    EXPECT_EQ(choice.kind, CatalogueChoice::Kind::OwnCopy);
    EXPECT_EQ(choice.file, own);
    EXPECT_EQ(TempFolder::ReadBytes(own), original);
    ASSERT_TRUE(catalogue.OpenFile(own));
    ASSERT_TRUE(catalogue.Execute("insert into list (id, name, memo) values ('1', 'mine', '')"));
    catalogue.Close();

    choice = ChooseCatalogue(appPath, ownFolder());
    EXPECT_EQ(choice.kind, CatalogueChoice::Kind::OwnCopy);
    ASSERT_TRUE(catalogue.OpenFile(choice.file));
    QSqlQuery q(catalogue.Database());
    ASSERT_TRUE(q.exec("select name from list") && q.next());
    EXPECT_EQ(q.value(0).toString(), "mine");
    EXPECT_EQ(namesIn(ownFolder()), QByteArrayList{kCatalogueName});
    EXPECT_EQ(TempFolder::ReadBytes(delivered()), original);
}

TEST_F(CatalogueChoiceTest, WithNothingWritableTheDeliveredCatalogueIsReadAndTheFileIsNamed)
{
    SKIP_AS_ROOT();
    protectProgramFolder();
    home.MakeDir("data", 0555);
    const CatalogueChoice choice = ChooseCatalogue(appPath, ownFolder());
    EXPECT_EQ(choice.kind, CatalogueChoice::Kind::ReadOnly);
    EXPECT_EQ(choice.file, delivered());
    EXPECT_TRUE(choice.problem.contains(QFile::decodeName(ownFolder() + kCatalogueName)))
        << choice.problem.toStdString();
}

TEST_F(CatalogueChoiceTest, AnInstalledCatalogueIsNeverWrittenWhoeverRunsTheProgram)
{
    const QByteArray installed = dir.MakeDir("usr/lib/melvanekiro") + "/";
    ASSERT_FALSE(DeliverCatalogue(installed).isEmpty());
    const QByteArray original = TempFolder::ReadBytes(TCatalogue::FilePath(installed));
    const CatalogueChoice choice = ChooseCatalogue(installed, ownFolder());
    EXPECT_EQ(choice.kind, CatalogueChoice::Kind::OwnCopy);
    EXPECT_EQ(choice.file, ownFolder() + kCatalogueName);
    ASSERT_TRUE(catalogue.OpenFile(choice.file));
    ASSERT_TRUE(catalogue.Execute("insert into list (id, name, memo) values ('1', 'mine', '')"));
    catalogue.Close();
    EXPECT_EQ(TempFolder::ReadBytes(TCatalogue::FilePath(installed)), original);
}

TEST_F(CatalogueChoiceTest, WhatIsNoFileOfTheUsersWhereTheCopyShouldBeIsNamedAndTheDeliveredOneIsRead)
{
    const QByteArray installed = dir.MakeDir("usr/lib/melvanekiro") + "/";
    ASSERT_FALSE(DeliverCatalogue(installed).isEmpty());
    const QByteArray own = ownFolder() + kCatalogueName;
    // Someone else's file: root's for a user, nobody's for root.
    const QByteArray foreign = ::geteuid() == 0 ? home.MakeFile("foreign.mdb", "x") : QByteArray("/etc/passwd");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(foreign.constData(), 65534, 65534), 0);
    }
    const QList<std::function<void()>> makeNoFile = {
        [&] { home.MakeDir(QByteArray("data/melvanekiro/") + kCatalogueName); },
        [&] { ASSERT_EQ(::symlink(home.At("gone.mdb").constData(), own.constData()), 0); },
        [&] { ASSERT_EQ(::symlink(foreign.constData(), own.constData()), 0); },
        [&] { ASSERT_EQ(::mkfifo(own.constData(), 0600), 0); },
    };
    for (const auto& make : makeNoFile) {
        home.MakeDir("data/melvanekiro", 0700);
        make();
        const CatalogueChoice choice = ChooseCatalogue(installed, ownFolder());
        EXPECT_EQ(choice.kind, CatalogueChoice::Kind::ReadOnly);
        EXPECT_EQ(choice.file, TCatalogue::FilePath(installed));
        EXPECT_TRUE(choice.problem.contains(QFile::decodeName(own))) << choice.problem.toStdString();
        TempFolder::RemoveTree(ownFolder());
    }

    // A link to a copy of the user's own is the copy.
    home.MakeDir("data/melvanekiro", 0700);
    const QByteArray elsewhere = home.MakeFile("elsewhere.mdb", TempFolder::ReadBytes(TCatalogue::FilePath(installed)));
    ASSERT_EQ(::symlink(elsewhere.constData(), own.constData()), 0);
    const CatalogueChoice linked = ChooseCatalogue(installed, ownFolder());
    EXPECT_EQ(linked.kind, CatalogueChoice::Kind::OwnCopy);
    EXPECT_EQ(linked.file, own);
}

TEST_F(CatalogueFixture, AReadOnlyConnectionReadsAndRefusesWritesInPlainWords)
{
    ASSERT_TRUE(catalogue.OpenFile(TCatalogue::FilePath(appPath), true));
    EXPECT_TRUE(catalogue.IsReadOnly());
    THead head;
    EXPECT_TRUE(LoadOptions(catalogue.Database(), head).ok());
    EXPECT_EQ(head.iTryMaxCount, 3);
    const OptionResult saved = SaveVolume(catalogue.Database(), 7);
    EXPECT_EQ(saved.error, "数据库文件只能读取，更改没有保存。");
}
