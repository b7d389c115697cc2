#include "TempFolder.h"

#include <gtest/gtest.h>

#include <QList>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// Empties a folder given as an open descriptor, then the caller removes it.
void RemoveContents(int dirFd)
{
    DIR* dir = ::fdopendir(dirFd);
    if (!dir) {
        ::close(dirFd);
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        struct stat st {};
        if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            ::fchmodat(dirFd, name, 0700, 0);
            const int child = ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child >= 0)
                RemoveContents(child);
            ::unlinkat(dirFd, name, AT_REMOVEDIR);
        } else {
            ::unlinkat(dirFd, name, 0);
        }
    }
    ::closedir(dir);
}

} // namespace

TempFolder::TempFolder(const QByteArray& parent)
{
    QByteArray base = parent;
    if (base.isEmpty())
        base = qEnvironmentVariableIsEmpty("TMPDIR") ? QByteArray("/tmp") : qgetenv("TMPDIR");
    QByteArray pattern = base + "/melvane-XXXXXX";
    if (::mkdtemp(pattern.data()))
        path_ = pattern;
}

TempFolder::~TempFolder()
{
    if (IsValid())
        RemoveTree(path_);
}

QByteArray TempFolder::At(const QByteArray& relative) const
{
    return path_ + '/' + relative;
}

QByteArray TempFolder::MakeDir(const QByteArray& relative, mode_t mode) const
{
    QByteArray path = path_;
    for (const QByteArray& part : relative.split('/')) {
        if (part.isEmpty())
            continue;
        path += '/' + part;
        if (::mkdir(path.constData(), 0755) != 0 && errno != EEXIST)
            ADD_FAILURE() << "mkdir " << path.constData() << ": " << std::strerror(errno);
    }
    if (::chmod(path.constData(), mode) != 0)
        ADD_FAILURE() << "chmod " << path.constData() << ": " << std::strerror(errno);
    return path;
}

QByteArray TempFolder::MakeFile(const QByteArray& relative, const QByteArray& content, mode_t mode) const
{
    const qsizetype slash = relative.lastIndexOf('/');
    if (slash > 0)
        MakeDir(relative.left(slash));
    const QByteArray path = At(relative);
    if (!WriteBytes(path, content, mode))
        ADD_FAILURE() << "writing " << path.constData() << ": " << std::strerror(errno);
    return path;
}

QByteArray TempFolder::MakeSizedFile(const QByteArray& relative, long long size) const
{
    const QByteArray path = MakeFile(relative);
    if (::truncate(path.constData(), size) != 0)
        ADD_FAILURE() << "truncate " << path.constData() << ": " << std::strerror(errno);
    return path;
}

QByteArray TempFolder::ReadBytes(const QByteArray& file)
{
    QByteArray data;
    const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return data;
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        data.append(buffer, n);
    ::close(fd);
    return data;
}

bool TempFolder::WriteBytes(const QByteArray& file, const QByteArray& content, mode_t mode)
{
    const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (n <= 0)
            break;
        done += n;
    }
    const bool whole = done == content.size() && ::fchmod(fd, mode) == 0;
    return ::close(fd) == 0 && whole;
}

void TempFolder::RemoveTree(const QByteArray& path)
{
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0)
        return;
    if (!S_ISDIR(st.st_mode)) {
        ::unlink(path.constData());
        return;
    }
    ::chmod(path.constData(), 0700);
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0)
        RemoveContents(fd);
    ::rmdir(path.constData());
}
