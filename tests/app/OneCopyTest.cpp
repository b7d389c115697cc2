// A second start of the program hands its files to the running window, which shows, selects and plays them.
#include "PlayWindowFixture.h"
#include "app/CommandLine.h"
#include "app/TRunningCopy.h"

#include <QSignalSpy>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using OneCopy = PlayWindowFixture;

// Starts the program in folder with one argument; its exit status, or -1.
int runProgram(const QByteArray& folder, const QByteArray& argument)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.constData());
    char* argv[] = {const_cast<char*>(MELVANE_PROGRAM), const_cast<char*>(argument.constData()), nullptr};
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, MELVANE_PROGRAM, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

TEST_F(OneCopy, ASecondStartEndsAndTheRunningWindowSelectsAndPlaysItsFile)
{
    put("other.mp3", "cbr.mp3");
    startListing();
    TRunningCopy first(RunningCopySocket());
    ASSERT_FALSE(first.HandOver({"/", {}}));
    QObject::connect(&first, &TRunningCopy::CommandLineArrived, win.get(), &TwinMain::ShowCommandLine);
    QSignalSpy arrived(&first, &TRunningCopy::CommandLineArrived);

    // A folder and a file whose names are GBK, named relative to the second start's folder.
    const QByteArray music = folder + "\xd2\xf4\xc0\xd6/";
    ASSERT_EQ(::mkdir(music.constData(), 0755), 0);
    for (const char* name : {"\xb8\xe8.mp3", "a.mp3"})
        ASSERT_TRUE(TempFolder::WriteBytes(music + name, TempFolder::ReadBytes(MELVANE_FIXTURES "/player/cbr.mp3")));
    EXPECT_EQ(runProgram(folder, "\xd2\xf4\xc0\xd6/\xb8\xe8.mp3"), 0);

    ASSERT_TRUE(arrived.wait());
    EXPECT_EQ(win->Head().SourcePath, music);
    ASSERT_EQ(selectedRows().size(), 1);
    EXPECT_EQ(RowBytes(source(), selectedRows()[0]), "\xb8\xe8.mp3");
    EXPECT_EQ(win->ActiveFileList(), source());
    EXPECT_EQ(win->Head().PlayingFile, music + "\xb8\xe8.mp3");
    EXPECT_EQ(win->Mp3Play().GetState(), 1);
}
