#pragma once

#include <QByteArray>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

// Folders and files on native bytes, under the test's temporary HOME.
inline QByteArray MakeTestRoot()
{
    QByteArray pattern = qgetenv("HOME") + "/t-XXXXXX";
    const char* made = ::mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr);
    return pattern;
}

inline void MakeDir(const QByteArray& path)
{
    ASSERT_EQ(::mkdir(path.constData(), 0755), 0) << path.constData();
}

inline void MakeFile(const QByteArray& path, int size)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path.constData();
    const QByteArray bytes(size, 'x');
    ASSERT_EQ(::write(fd, bytes.constData(), bytes.size()), size);
    ::close(fd);
}

// Removes a test root with everything in it when the test ends; Qt's own
// clean-up cannot remove names that are not UTF-8.
struct TreeRemover {
    QByteArray root;
    ~TreeRemover()
    {
        const auto remove = [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); };
        ::nftw(root.constData(), remove, 16, FTW_DEPTH | FTW_PHYS);
    }
};
