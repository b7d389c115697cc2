#include "tags/ID3v1Tag.h"

#include "tags/NameText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr off_t kTagSize = sizeof(ID3v1Tag);

QString systemError(const QByteArray& fileName, int err)
{
    return DisplayName(fileName) + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(err));
}

// Reads the last 128 bytes; false with errno set when the read fails.
bool readBlock(int fd, off_t size, ID3v1Tag& block)
{
    char buffer[sizeof(ID3v1Tag)];
    const ssize_t got = ::pread(fd, buffer, sizeof buffer, size - kTagSize);
    if (got < 0)
        return false;
    // A file that shrank since its size was taken has no tag for us.
    if (got == kTagSize)
        std::memcpy(&block, buffer, sizeof buffer);
    return true;
}

void mergeField(char* given, const char* old, std::size_t width)
{
    if (given[0] == '\0')
        std::memcpy(given, old, width);
}

// An ID3v1.1 tag holds a track number in the comment's last byte, after a zero byte; a new comment
// that leaves both bytes free keeps it.
void keepTrack(char (&given)[30], const char (&old)[30])
{
    if (old[28] == '\0' && old[29] != '\0' && given[28] == '\0' && given[29] == '\0')
        given[29] = old[29];
}

int writeOpen(const QByteArray& fileName, ID3v1Tag& tag, QString* error)
{
    const int fd = ::open(fileName.constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (error)
            *error = systemError(fileName, errno);
        return kTagIoError;
    }
    int result = kTagWritten;
    struct stat st {};
    ID3v1Tag old {};
    if (::fstat(fd, &st) != 0) {
        result = kTagIoError;
    } else if (st.st_size < kTagSize) {
        result = kTagMissing;
    } else if (::pread(fd, &old, sizeof old, st.st_size - kTagSize) != kTagSize) {
        result = kTagIoError;
    } else if (!HasTagHeader(old)) {
        result = kTagMissing;
    } else {
        mergeField(tag.Title, old.Title, sizeof tag.Title);
        mergeField(tag.Artist, old.Artist, sizeof tag.Artist);
        mergeField(tag.Album, old.Album, sizeof tag.Album);
        mergeField(tag.Year, old.Year, sizeof tag.Year);
        mergeField(tag.Comment, old.Comment, sizeof tag.Comment);
        keepTrack(tag.Comment, old.Comment);
        tag.Genre = old.Genre;
        if (::pwrite(fd, &tag, sizeof tag, st.st_size - kTagSize) != kTagSize)
            result = kTagIoError;
    }
    if (result == kTagIoError && error)
        *error = systemError(fileName, errno ? errno : EIO);
    if (::close(fd) != 0 && result == kTagWritten) {
        result = kTagIoError;
        if (error)
            *error = systemError(fileName, errno);
    }
    return result;
}

} // namespace

bool IsMp3Name(QByteArrayView fileName)
{
    const qsizetype slash = fileName.lastIndexOf('/');
    const QByteArrayView base = fileName.sliced(slash + 1);
    const qsizetype dot = base.lastIndexOf('.');
    if (dot < 0 || base.size() - dot != 4)
        return false;
    const QByteArrayView ext = base.sliced(dot + 1);
    const auto up = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    return up(ext[0]) == 'M' && up(ext[1]) == 'P' && ext[2] == '3';
}

void ClearID3Tag(ID3v1Tag& tag)
{
    const unsigned char genre = tag.Genre;
    std::memset(&tag, 0, sizeof tag);
    std::memcpy(tag.Header, "TAG", 3);
    tag.Genre = genre;
}

bool HasTagHeader(const ID3v1Tag& tag)
{
    return std::memcmp(tag.Header, "TAG", 3) == 0;
}

QByteArrayView FieldView(const char* field, std::size_t width)
{
    std::size_t end = 0;
    while (end < width && field[end] != '\0')
        ++end;
    std::size_t begin = 0;
    while (begin < end && static_cast<unsigned char>(field[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(field[end - 1]) <= 32)
        --end;
    return QByteArrayView(field + begin, static_cast<qsizetype>(end - begin));
}

bool ReadID3v1Tag(const QByteArray& fileName, ID3v1Tag& tag, QString* error)
{
    if (!IsMp3Name(fileName))
        return true;
    const int fd = ::open(fileName.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return true;
        if (error)
            *error = systemError(fileName, errno);
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    if (ok && S_ISREG(st.st_mode) && st.st_size >= kTagSize)
        ok = readBlock(fd, st.st_size, tag);
    if (!ok && error)
        *error = systemError(fileName, errno);
    ::close(fd);
    return ok;
}

bool ReadID3v1TagAt(int dirFd, const char* name, long long size, ID3v1Tag& tag)
{
    if (size < kTagSize)
        return true;
    const int fd = ::openat(dirFd, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool ok = readBlock(fd, size, tag);
    ::close(fd);
    return ok;
}

int WriteID3v1Tag(const QByteArray& fileName, ID3v1Tag tag, QString* error)
{
    if (!IsMp3Name(fileName))
        return kTagNotMp3;
    struct stat st {};
    if (::stat(fileName.constData(), &st) != 0)
        return kTagReadOnly;
    const bool readOnly = (st.st_mode & S_IWUSR) == 0;
    if (readOnly && ::chmod(fileName.constData(), (st.st_mode & 07777) | S_IWUSR) != 0)
        return kTagReadOnly;
    errno = 0;
    const int result = writeOpen(fileName, tag, error);
    if (readOnly)
        ::chmod(fileName.constData(), st.st_mode & 07777);
    return result;
}
