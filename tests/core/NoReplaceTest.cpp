#include "core/NoReplace.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace {

QByteArray readFile(const QByteArray& path)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 ? TempFolder::ReadBytes(path) : QByteArray("<missing>");
}

} // namespace

TEST(RenameNoReplace, MovesToAFreeNameAndRefusesATakenOne)
{
    const TempFolder dir;
    const QByteArray base = dir.Path() + '/';
    // A GBK name, which is not UTF-8, keeps its bytes.
    const QByteArray gbk = base + "\xd2\xf4\xc0\xd6.mp3";
    dir.MakeFile("a.mp3", "first");
    dir.MakeFile("b.mp3", "second");

    EXPECT_EQ(RenameNoReplace(base + "a.mp3", base + "b.mp3"), EEXIST);
    EXPECT_EQ(readFile(base + "a.mp3"), "first");
    EXPECT_EQ(readFile(base + "b.mp3"), "second");

    EXPECT_EQ(RenameNoReplace(base + "a.mp3", gbk), 0);
    EXPECT_EQ(readFile(gbk), "first");
    EXPECT_EQ(readFile(base + "a.mp3"), "<missing>");

    EXPECT_EQ(RenameNoReplace(base + "missing.mp3", base + "c.mp3"), ENOENT);
}

TEST(RenameNoReplace, AFolderNeverReplacesAnotherFolder)
{
    const TempFolder dir;
    const QByteArray base = dir.Path() + '/';
    dir.MakeDir("x");
    dir.MakeDir("y");
    EXPECT_EQ(RenameNoReplace(base + "x", base + "y"), EEXIST);
    struct stat st {};
    EXPECT_EQ(::stat((base + "x").constData(), &st), 0);
    EXPECT_EQ(RenameNoReplace(base + "x", base + "z"), 0);
    EXPECT_EQ(::stat((base + "z").constData(), &st), 0);
}
