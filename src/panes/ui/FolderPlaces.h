#pragma once

#include <QByteArray>
#include <QList>

#include "panes/FolderEntries.h"

// Folder facts the folder trees need, on native bytes. Folder paths here carry
// no trailing "/" except the file system root itself.

// True for an absolute path that names a directory (symbolic links followed).
bool IsExistingFolder(const QByteArray& path);

// Names of the sub-folders of a folder, hidden ones included, in no particular
// order; empty when the folder cannot be read.
QList<QByteArray> ListSubFolders(const QByteArray& folder);

// The same names, read a few entries at a time (a folder of 100,000 files is
// read from a worker thread). Used by one thread at a time.
class SubFolderReader {
public:
    explicit SubFolderReader(const QByteArray& folder);

    // Looks at up to `entries` more entries (fewer once cancelled), adding the
    // sub-folders' names; false once the folder has ended (or could not be read).
    bool Read(QList<QByteArray>& names, int entries, const std::atomic<bool>& cancelled);

private:
    FolderEntries entries_;
};

// Joins a folder and one name with exactly one "/".
QByteArray JoinPath(const QByteArray& folder, const QByteArray& name);

// Last component of a path ("/" stays "/").
QByteArray LastComponent(const QByteArray& path);

// A typed absolute path in the tree's form: repeated "/" and "." dropped, ".."
// taken back lexically, no trailing "/". Empty for a relative path.
QByteArray NormalisedFolderPath(const QByteArray& path);

// Mount points of the volumes to show, from the text of /proc/self/mounts, in file
// order, without "/" and without duplicates: volumes on devices under /dev, except
// loop devices and snap images (squashfs), which only count where a user's files
// live (below /media, /run/media, /mnt or the home folder).
QList<QByteArray> ParseMountPoints(const QByteArray& mountsText, const QByteArray& home);

// Where the tree's root and its home node point.
QByteArray HomeFolder();
QByteArray DesktopFolder();
