#include "core/NoReplace.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void writeFile(const QByteArray& path, const QByteArray& content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, content.constData(), content.size()), content.size());
    ::close(fd);
}

QByteArray readFile(const QByteArray& path)
{
    QByteArray content(64, '\0');
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return "<missing>";
    const ssize_t n = ::read(fd, content.data(), content.size());
    ::close(fd);
    content.resize(n < 0 ? 0 : n);
    return content;
}

} // namespace

TEST(RenameNoReplace, MovesToAFreeNameAndRefusesATakenOne)
{
    QTemporaryDir dir;
    const QByteArray base = QFile::encodeName(dir.path()) + '/';
    // A GBK name, which is not UTF-8, keeps its bytes.
    const QByteArray gbk = base + "\xd2\xf4\xc0\xd6.mp3";
    writeFile(base + "a.mp3", "first");
    writeFile(base + "b.mp3", "second");

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
    QTemporaryDir dir;
    const QByteArray base = QFile::encodeName(dir.path()) + '/';
    ASSERT_EQ(::mkdir((base + "x").constData(), 0755), 0);
    ASSERT_EQ(::mkdir((base + "y").constData(), 0755), 0);
    EXPECT_EQ(RenameNoReplace(base + "x", base + "y"), EEXIST);
    struct stat st {};
    EXPECT_EQ(::stat((base + "x").constData(), &st), 0);
    EXPECT_EQ(RenameNoReplace(base + "x", base + "z"), 0);
    EXPECT_EQ(::stat((base + "z").constData(), &st), 0);
}
