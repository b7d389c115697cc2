#include "panes/FolderListing.h"

#include <QHash>

#include <algorithm>

namespace {

// Entries read before Open returns: a folder this small never shows half listed.
constexpr int kFirstEntries = 256;

QByteArray keyOf(const QByteArray& folder, const ListRules& rules)
{
    return folder + '\0' + rules.mask + '\0' + (rules.showHidden ? '1' : '0') + rules.playingFile;
}

// Readings under way, by folder and rules; only touched on the user-interface thread.
QHash<QByteArray, std::weak_ptr<FolderListing>>& underWay()
{
    static QHash<QByteArray, std::weak_ptr<FolderListing>> listings;
    return listings;
}

} // namespace

FolderListing::FolderListing(std::unique_ptr<IFolderReader> reader, bool keep) : keep_(keep)
{
    static const std::atomic<bool> never {false};
    if (!reader->Read(rows_, kFirstEntries, never)) {
        done_ = true;
        return;
    }
    job_ = std::make_unique<WorkerJob<FileEntry>>(
        [reader = std::shared_ptr<IFolderReader>(std::move(reader))](
            QList<FileEntry>& rows, int entries, const std::atomic<bool>& cancelled) {
            return reader->Read(rows, entries, cancelled);
        },
        [this](QList<FileEntry> rows, bool ended) { Take(std::move(rows), ended); });
}

FolderListing::~FolderListing() = default;

std::shared_ptr<FolderListing> FolderListing::OpenKept(const QByteArray& folder, const ListRules& rules,
                                                       const FolderReaderMaker& maker)
{
    return std::shared_ptr<FolderListing>(new FolderListing(FolderReader::Make(maker, folder, rules), true));
}

std::shared_ptr<FolderListing> FolderListing::Open(const QByteArray& folder, const ListRules& rules, bool join,
                                                   const FolderReaderMaker& maker)
{
    auto& listings = underWay();
    const QByteArray key = keyOf(folder, rules);
    if (const std::shared_ptr<FolderListing> running = listings.value(key).lock(); join && running && running->Joinable())
        return running;
    std::shared_ptr<FolderListing> listing(new FolderListing(FolderReader::Make(maker, folder, rules), false));
    listings.removeIf([](const auto& entry) { return entry.value().expired(); });
    if (join && listing->Joinable())
        listings.insert(key, listing);
    return listing;
}

void FolderListing::Take(QList<FileEntry> rows, bool ended)
{
    if (!rows.isEmpty()) {
        // Rows that are not kept go to the holders there are: nobody joins after them.
        if (keep_)
            rows_.append(rows);
        else if (!std::exchange(handedOn_, true))
            rows_ = {};
        emit Arrived(rows);
    }
    if (ended && !done_) {
        done_ = true;
        emit Finished();
    }
}
