#pragma once

#include "panes/FileListModel.h"
#include "panes/FolderEntries.h"

#include <QByteArray>
#include <QList>
#include <QSet>


// Which files of a folder a listing shows.
struct ListRules {
    QByteArray mask;        // "*.*", "*.mp3", ... (UTF-8)
    bool showHidden = false;
    QByteArray playingFile; // its row gets no tag cells and its tag is not read

    bool operator==(const ListRules&) const = default;
};

// Reads the files of one folder (ending in "/"), a few entries at a time, in the
// order the folder gives them: every regular file of a size above 0 that matches
// the mask, hidden ones only when shown, no ".lnk"; the tag of each MP3 file, and
// TagLib's reading of the other tag where a file of a type it knows has no ID3v1 tag.
// Used by one thread at a time.
class FolderReader {
public:
    FolderReader(const QByteArray& folder, ListRules rules);

    // Looks at up to `entries` more entries, adding their rows; false once the
    // folder has ended (or was none).
    bool Read(QList<FileEntry>& rows, int entries);
    // The rows of just these entries, where they are there and listed.
    QList<FileEntry> ReadNames(const QSet<QByteArray>& names);

private:
    bool RowOf(int dirFd, const char* name, FileEntry& row) const;

    QByteArray folder_;
    ListRules rules_;
    FolderEntries entries_;
};
