#pragma once

#include <QByteArray>
#include <QDateTime>

// The desktop's trash after the freedesktop.org Trash specification, on native bytes: the home
// trash for items on the home trash's mount, else $topdir/.Trash/$uid (when .Trash is a sticky
// folder and no link) or $topdir/.Trash-$uid. An item only ever moves by a rename within its own
// file system.
class TTrash {
public:
    enum class Outcome { Trashed, NoTrash, Failed };
    struct Result {
        Outcome outcome = Outcome::Failed;
        int error = 0;              // Failed: the errno
        QByteArray trashedAs;       // Trashed: the item's path in files/
    };

    // Reads $XDG_DATA_HOME (or $HOME/.local/share) now.
    TTrash();

    // path: absolute. now: the deletion date written into the .trashinfo file.
    Result Put(const QByteArray& path, const QDateTime& now = QDateTime::currentDateTime()) const;

    const QByteArray& HomeTrash() const { return home_; }

    // The Path= value of a .trashinfo file: the path percent-encoded, "/" kept.
    static QByteArray EncodeInfoPath(const QByteArray& path);

private:
    struct Place {
        QByteArray folder;   // the trash folder holding files/ and info/
        QByteArray topdir;   // empty for the home trash, whose paths are absolute
    };

    bool FindPlace(const QByteArray& path, Place& place) const;
    Result PutInto(const Place& place, const QByteArray& path, bool isFolder, const QDateTime& now) const;

    QByteArray home_;
};
