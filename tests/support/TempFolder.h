#pragma once

#include <QByteArray>

#include <sys/types.h>

// A temporary folder made and removed on native bytes. Everything inside goes with it: names of
// any bytes (QTemporaryDir cannot remove names that are not UTF-8), read-only files, folders
// without permissions. The Make functions report a failure to the running test.
class TempFolder {
public:
    // Made below parent; by default below TMPDIR, else /tmp.
    explicit TempFolder(const QByteArray& parent = {});
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool IsValid() const { return !path_.isEmpty(); }
    // The folder, without a trailing "/".
    const QByteArray& Path() const { return path_; }
    // Path() + "/" + relative.
    QByteArray At(const QByteArray& relative) const;

    // A folder, with the folders above it that are missing; returns its path.
    QByteArray MakeDir(const QByteArray& relative, mode_t mode = 0755) const;
    // A file holding exactly these bytes, with the folders above it that are missing; returns its path.
    QByteArray MakeFile(const QByteArray& relative, const QByteArray& content = {}, mode_t mode = 0644) const;
    // A file of this size without writing it (sparse); returns its path.
    QByteArray MakeSizedFile(const QByteArray& relative, long long size) const;

    // The whole content of a file; empty when it cannot be read.
    static QByteArray ReadBytes(const QByteArray& file);
    // Writes a new file (replacing one of that name); false when that fails.
    static bool WriteBytes(const QByteArray& file, const QByteArray& content, mode_t mode = 0644);
    // Removes a file or a folder with everything in it, whatever its permissions.
    static void RemoveTree(const QByteArray& path);

private:
    QByteArray path_;
};
