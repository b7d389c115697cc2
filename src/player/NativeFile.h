#pragma once

#include <QByteArray>

// The extension of a file's name, dot included, ASCII lower-cased; empty without a dot.
QByteArray LowerExtension(const QByteArray& file);

// Files opened by their native bytes, so that names which are not UTF-8 work.
class NativeFile {
public:
    NativeFile() = default;
    ~NativeFile();
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;

    // A regular file for reading; on failure error is a MediaErrorCode.
    bool Open(const QByteArray& path, int& error);
    int Fd() const { return fd_; }
    long long Size() const;
    // Reads the whole file, refusing more than limit bytes.
    bool ReadAll(QByteArray& out, long long limit, int& error);
    // Reads up to size bytes at offset; the count read, or -1.
    long long ReadAt(long long offset, char* dst, long long size) const;

private:
    int fd_ = -1;
};
