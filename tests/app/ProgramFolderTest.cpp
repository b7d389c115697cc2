// The program's folder and the catalogue in it: a folder name of any bytes, a folder where the file
// should be, an option table the program cannot read.
#include "MainWindowFixture.h"
#include "playlists/TListQuery.h"
#include "playlists/ui/utNewList.h"
#include "support/ModalDialog.h"
#include "support/TempFolder.h"

#include "app/AppPath.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QSqlQueryModel>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

namespace {

const QString kMissing = QStringLiteral(
    "没有找到数据库文件 [KIROCustomList.mdb] ！\r\r说明：KIROCustomList.mdb 应该与应用程序在同一文件夹下。");

// Runs program (no arguments) and returns what it printed; empty when it did not end with 0.
QByteArray outputOf(const QByteArray& program)
{
    int out[2];
    if (::pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(program.constData()), nullptr};
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    QByteArray printed;
    char buffer[4096];
    ssize_t got = 0;
    while (spawned == 0 && (got = ::read(out[0], buffer, sizeof buffer)) > 0)
        printed.append(buffer, got);
    ::close(out[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return printed;
}

} // namespace

TEST(RunningProgramFile, IsTheBytesOfTheProgramsPathAlsoInAFolderWhoseNameIsNoUtf8)
{
    TempFolder dir;
    const QByteArray folder = dir.MakeDir("\xd2\xf4\xc0\xd6") + "/";
    ASSERT_TRUE(TempFolder::WriteBytes(folder + "probe", TempFolder::ReadBytes(MELVANE_APP_PATH_PROBE), 0755));
    const QByteArray printed = outputOf(folder + "probe");
    EXPECT_EQ(printed, folder + "probe");
    EXPECT_EQ(AppPathOf(printed), folder);
}

TEST_F(MainWindowFixture, StartsWithTheCatalogueOfAProgramFolderWhoseNameIsNoUtf8)
{
    deliverCatalogue();
    const QByteArray folder = dir.MakeDir("\xd2\xf4\xc0\xd6") + "/";
    ASSERT_TRUE(TempFolder::WriteBytes(folder + "KIROCustomList.mdb", TempFolder::ReadBytes(MELVANE_BUILT_CATALOGUE)));
    {
        TCatalogue db;
        ASSERT_TRUE(db.Open(folder));
        ASSERT_TRUE(db.Execute("insert into list (id, name, memo) values ('5', '音乐', '')"));
    }
    auto scripted = std::make_unique<ScriptedMsgDlg>();
    msg = scripted.get();
    TwinMain::Services services;
    services.msgDlg = std::move(scripted);
    win = std::make_unique<TwinMain>(folder + "MelvaneKIRO", std::move(services));
    EXPECT_TRUE(msg->shown.isEmpty());
    EXPECT_TRUE(msg->layerErrors.isEmpty());
    EXPECT_EQ(win->Head().AppPath, folder);
    EXPECT_TRUE(win->ListQueryOpen());
    ASSERT_EQ(win->qryList()->rowCount(), 1);
    EXPECT_EQ(win->qryList()->index(0, 1).data().toString(), "音乐");
    EXPECT_EQ(win->Head().iTryMaxCount, 3);
    win.reset();
}

TEST_F(MainWindowFixture, AFolderNamedLikeTheCatalogueCountsAsMissing)
{
    dir.MakeDir("KIROCustomList.mdb");
    start(false);
    ASSERT_EQ(msg->shown.size(), 1);
    EXPECT_EQ(msg->shown[0].text, kMissing);
    EXPECT_TRUE(msg->layerErrors.isEmpty());
    EXPECT_FALSE(win->dbconMain().IsOpen());
}

TEST_F(MainWindowFixture, AnOptionTableWithoutItsNameColumnShowsTheLayersErrorAtStart)
{
    deliverCatalogue();
    {
        TCatalogue db;
        ASSERT_TRUE(db.Open(programFolder()));
        ASSERT_TRUE(db.Execute("drop table [option]"));
        ASSERT_TRUE(db.Execute("create table [option] (key text, value text)"));
        ASSERT_TRUE(db.Execute("insert into [option] values ('iTryMaxCount', '3')"));
    }
    start(false);
    EXPECT_TRUE(msg->shown.isEmpty());
    ASSERT_EQ(msg->layerErrors.size(), 1);
    EXPECT_TRUE(msg->layerErrors[0].contains("name")) << msg->layerErrors[0].toStdString();
    EXPECT_EQ(win->Head().iTryMaxCount, 0);
}

// Runs again as nobody (tests/app/CMakeLists.txt): root can write every file.
TEST_F(MainWindowFixture, WithNoWritableCatalogueTheStartSaysSoOnceAndNothingLaterShowsTheLayersText)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root can write every file";
    deliverCatalogue();
    ASSERT_EQ(::chmod((programFolder() + kCatalogueName).constData(), 0444), 0);
    ASSERT_EQ(::chmod(dir.Path().constData(), 0555), 0);
    TempFolder data;
    const QByteArray own = data.MakeDir("locked", 0555) + "/melvanekiro/" + kCatalogueName;
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    ::setenv("XDG_DATA_HOME", data.At("locked").constData(), 1);
    start();
    ::setenv("XDG_DATA_HOME", dataHome.constData(), 1);

    ASSERT_EQ(msg->shown.size(), 1);
    EXPECT_EQ(msg->shown[0].kind, MsgKind::Warning);
    EXPECT_TRUE(msg->shown[0].text.contains(QFile::decodeName(own))) << msg->shown[0].text.toStdString();
    EXPECT_TRUE(win->ListQueryOpen());
    EXPECT_EQ(win->Head().iTryMaxCount, 3);

    // The options hold for this run and the dialog closes; the volume moves.
    const bool confirmation = !win->Head().bConfirmation;
    DriveModal([&] { win->Action("aOption")->trigger(); },
               [](QWidget* dialog) {
                   for (const char* name : {"ckbConfirmation", "btnOk"})
                       QTest::mouseClick(dialog->findChild<QAbstractButton*>(QLatin1String(name)), Qt::LeftButton);
               });
    EXPECT_EQ(win->Head().bConfirmation, confirmation);
    win->findChild<QSlider*>("trbVolume")->setValue(40);
    EXPECT_TRUE(msg->layerErrors.isEmpty());

    // A new play list cannot be kept, and the user reads why in plain words.
    win->findChild<QTabWidget*>("pcMain")->setCurrentIndex(1);
    DriveModal([&] { win->Action("aListNew")->trigger(); },
               [](QWidget* dialog) {
                   auto* newList = qobject_cast<TwinNewList*>(dialog);
                   newList->edtListName()->setText("lost");
                   QTest::mouseClick(newList->btnOk(), Qt::LeftButton);
                   if (newList->isVisible())
                       newList->reject();
               });
    EXPECT_EQ(msg->layerErrors, QStringList{"数据库文件只能读取，更改没有保存。"});
    EXPECT_EQ(msg->shown.size(), 1);
}
