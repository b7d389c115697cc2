#pragma once

#include "panes/FileListModel.h"
#include "panes/FolderEntries.h"

#include <QByteArray>
#include <QList>
#include <QSet>

#include <atomic>
#include <functional>
#include <memory>


// Which files of a folder a listing shows.
struct ListRules {
    QByteArray mask;        // "*.*", "*.mp3", ... (UTF-8)
    bool showHidden = false;
    QByteArray playingFile; // its row gets no tag cells and its tag is not read

    bool operator==(const ListRules&) const = default;
};

// Reads the rows of one folder a few entries at a time, stopping between entries once
// cancelled. Used by one thread at a time.
class IFolderReader {
public:
    virtual ~IFolderReader() = default;
    // Looks at up to `entries` more entries, adding their rows; false once the
    // folder has ended (or was none).
    virtual bool Read(QList<FileEntry>& rows, int entries, const std::atomic<bool>& cancelled) = 0;
    // The rows of just these entries, where they are there and listed.
    virtual QList<FileEntry> ReadNames(const QSet<QByteArray>& names, const std::atomic<bool>& cancelled) = 0;
};

// Makes the reader of a folder with its rules; an empty one makes a FolderReader.
using FolderReaderMaker = std::function<std::unique_ptr<IFolderReader>(const QByteArray& folder, const ListRules& rules)>;

// Reads the files of one folder (ending in "/") in the order the folder gives them:
// every regular file of a size above 0 that matches the mask, hidden ones only when
// shown, no ".lnk"; the tag of each MP3 file, and TagLib's reading of the other
// tag where a file of a type it knows has no ID3v1 tag.
class FolderReader final : public IFolderReader {
public:
    FolderReader(const QByteArray& folder, ListRules rules);

    bool Read(QList<FileEntry>& rows, int entries, const std::atomic<bool>& cancelled) override;
    QList<FileEntry> ReadNames(const QSet<QByteArray>& names, const std::atomic<bool>& cancelled) override;

    static std::unique_ptr<IFolderReader> Make(const FolderReaderMaker& maker, const QByteArray& folder,
                                               const ListRules& rules);

private:
    // One entry: whether it is listed, and its row (the file's facts and its tag).
    bool RowOf(int dirFd, const char* name, FileEntry& row) const;

    QByteArray folder_;
    ListRules rules_;
    FolderEntries entries_;
};
