#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <functional>

#include <sys/stat.h>

// The low-level steps of copying and moving without ever replacing anything. Paths are native
// bytes. Each step answers 0 or the errno of the system call that failed.

// Called after each block with the bytes it carried; false stops the copy (it then answers ECANCELED).
using BlockHook = std::function<bool(qint64)>;

// Copies the contents of fromFd into toFd (both at offset 0): a clone where the file system shares
// blocks, else copy_file_range, else read and write.
int CopyFileData(int fromFd, int toFd, const BlockHook& block);

// Gives an open copy the mode and times of its source (st); with sync also flushes it to the disk.
int FinishCopy(int toFd, const struct stat& st, bool sync);

// A fresh hidden file (O_EXCL, mode 0600) or folder (mode 0700) in folder, for a copy that becomes
// visible only when whole. The file's descriptor, or -1 with errno set; path receives the name.
int MakeTempFile(const QByteArray& folder, QByteArray& path);
int MakeTempFolder(const QByteArray& folder, QByteArray& path);

// Gives the item `from` the first free name in folder, trying name, "name (2)" ... (folder marks how
// the name is counted). Never replaces: a name taken in between is skipped. placed receives the
// new path.
int PlaceNoReplace(const QByteArray& from, const QByteArray& folder, const QByteArray& name, bool isFolder,
                   QByteArray& placed);

// Removes a file, link or whole folder, never following links. failedPath receives the item that
// could not be removed.
int RemoveTree(const QByteArray& path, QByteArray& failedPath);

// Flushes a folder's entries to the disk.
int SyncFolder(const QByteArray& folder);

// Whether anything (a dangling link too) has this name.
bool PathExists(const QByteArray& path);

// The path with every link and "." or ".." resolved; empty when it does not resolve.
QByteArray RealPath(const QByteArray& path);

// Makes an absolute folder path with every missing folder on the way; 0 or the errno.
int MakeFolders(const QByteArray& path, mode_t mode);
