#pragma once

#include "support/TempFolder.h"
#include "support/ScriptedFileOpUi.h"
#include "fileops/SourceList.h"

#include <QByteArray>
#include <QList>

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Reads a whole file; empty when it cannot be read.
inline void MakeDir(const QByteArray& path)
{
    ASSERT_EQ(::mkdir(path.constData(), 0755), 0) << path.constData();
}

inline QByteArray ReadAll(const QByteArray& path)
{
    QByteArray bytes;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    char buffer[65536];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, got);
    ::close(fd);
    return bytes;
}

inline void WriteAll(const QByteArray& path, const QByteArray& bytes, mode_t mode = 0644)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    ASSERT_GE(fd, 0) << path.constData();
    ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
    ::fchmod(fd, mode);
    ::close(fd);
}

// Bytes that differ from file to file and from block to block, so that a mixed-up copy shows.
inline QByteArray Pattern(qsizetype size, int seed)
{
    QByteArray block(4096, '\0');
    for (qsizetype i = 0; i < block.size(); ++i)
        block[i] = char((i * 31 + seed * 7) & 0xFF);
    QByteArray bytes;
    bytes.reserve(size);
    for (qsizetype at = 0; at < size; at += block.size()) {
        const QByteArray stamp = QByteArray::number(at / block.size()) + ':' + QByteArray::number(seed);
        bytes += block.first(qMin(block.size(), size - at)).replace(0, qMin(stamp.size(), size - at), stamp);
    }
    return bytes;
}

// The names in a folder, sorted.
inline QList<QByteArray> Names(const QByteArray& folder)
{
    QList<QByteArray> names;
    if (DIR* dir = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names.append(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

inline bool Exists(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

inline QByteArray List(std::initializer_list<QByteArray> paths)
{
    QByteArray list;
    for (const QByteArray& path : paths)
        AppendSource(list, path);
    return EndSourceList(list);
}

// A test root under HOME with a source and a destination folder, removed afterwards.
class FileOpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.IsValid());
        root = temp.Path();
        from = temp.MakeDir("from");
        to = temp.MakeDir("to");
    }

    TempFolder temp{qgetenv("HOME")};
    QByteArray root;
    QByteArray from;
    QByteArray to;
    ScriptedFileOpUi ui;
};
