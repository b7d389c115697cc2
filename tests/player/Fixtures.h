#pragma once

#include "player/Decoder.h"
#include "support/TempFolder.h"

#include <QByteArray>
#include <QFile>

#include <vector>

inline QByteArray Fixture(const char* name) { return QByteArray(MELVANE_FIXTURES "/player/") + name; }

inline QByteArray ReadFixture(const char* name)
{
    QFile f(QString::fromUtf8(Fixture(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes bytes to dir/name by the native name (which need not be UTF-8).
inline QByteArray WriteFile(const TempFolder& dir, const QByteArray& name, const QByteArray& bytes)
{
    const QByteArray path = dir.At(name);
    return TempFolder::WriteBytes(path, bytes) ? path : QByteArray();
}

// A fixture repeated times over in dir/name: headerless MP3 frames concatenate
// into one longer stream.
inline QByteArray WriteRepeated(const TempFolder& dir, const QByteArray& name, const char* fixture, int times)
{
    return WriteFile(dir, name, ReadFixture(fixture).repeated(times));
}

// Every frame a decoder gives from where it stands to its end.
inline std::vector<int16_t> DecodeAll(IDecoder& d)
{
    std::vector<int16_t> out;
    std::vector<int16_t> chunk(4096 * 2);
    for (int n = d.Read(chunk.data(), 4096); n > 0; n = d.Read(chunk.data(), 4096))
        out.insert(out.end(), chunk.begin(), chunk.begin() + n * 2);
    return out;
}
