#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

inline QByteArray Fixture(const char* name) { return QByteArray(MELVANE_FIXTURES "/player/") + name; }

inline QByteArray ReadFixture(const char* name)
{
    QFile f(QString::fromUtf8(Fixture(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes bytes to dir/name by the native name (which need not be UTF-8).
inline QByteArray WriteFile(const QTemporaryDir& dir, const QByteArray& name, const QByteArray& bytes)
{
    const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return {};
    const bool ok = ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
    ::close(fd);
    return ok ? path : QByteArray();
}

// A fixture repeated times over in dir/name: headerless MP3 frames concatenate
// into one longer stream.
inline QByteArray WriteRepeated(const QTemporaryDir& dir, const QByteArray& name, const char* fixture, int times)
{
    const QByteArray one = ReadFixture(fixture);
    QFile out(dir.filePath(QFile::decodeName(name)));
    if (!out.open(QIODevice::WriteOnly))
        return {};
    for (int i = 0; i < times; ++i)
        if (out.write(one) != one.size())
            return {};
    return QFile::encodeName(out.fileName());
}
