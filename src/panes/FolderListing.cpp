#include "panes/FolderListing.h"

#include <QHash>

#include <algorithm>

namespace {

// Entries read before Open returns: a folder this small never shows half listed.
constexpr int kFirstEntries = 256;
// The worker hands on what it has after this many entries, or sooner at first.
constexpr int kFirstBatch = 100;
constexpr int kBatch = 1000;
// Rows taken in one go on the listing's thread, so that its events stay short.
constexpr int kMostTaken = 1000;

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

FolderListing::FolderListing(const QByteArray& folder, const ListRules& rules, bool keep)
    : reader_(std::make_unique<FolderReader>(folder, rules)), keep_(keep)
{
    if (!reader_->Read(rows_, kFirstEntries)) {
        done_ = true;
        reader_.reset();
        return;
    }
    worker_ = std::thread([this] { Work(); });
}

FolderListing::~FolderListing()
{
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
}

std::shared_ptr<FolderListing> FolderListing::OpenKept(const QByteArray& folder, const ListRules& rules)
{
    return std::shared_ptr<FolderListing>(new FolderListing(folder, rules, true));
}

std::shared_ptr<FolderListing> FolderListing::Open(const QByteArray& folder, const ListRules& rules, bool join)
{
    auto& listings = underWay();
    const QByteArray key = keyOf(folder, rules);
    if (const std::shared_ptr<FolderListing> running = listings.value(key).lock(); join && running && running->Joinable())
        return running;
    std::shared_ptr<FolderListing> listing(new FolderListing(folder, rules, false));
    listings.removeIf([](const auto& entry) { return entry.value().expired(); });
    if (join && listing->Joinable())
        listings.insert(key, listing);
    return listing;
}

void FolderListing::Work()
{
    QList<FileEntry> batch;
    int batchSize = kFirstBatch;
    bool more = true;
    while (more && !cancel_) {
        more = reader_->Read(batch, batchSize);
        batchSize = kBatch;
        {
            const std::lock_guard lock(mutex_);
            pending_.append(std::move(batch));
            ended_ = !more;
        }
        batch.clear();
        if (!takePosted_.exchange(true))
            QMetaObject::invokeMethod(this, &FolderListing::Take, Qt::QueuedConnection);
    }
}

void FolderListing::Take()
{
    QList<FileEntry> taken;
    bool ended = false;
    {
        const std::lock_guard lock(mutex_);
        takePosted_ = false;
        const qsizetype count = std::min<qsizetype>(pending_.size(), kMostTaken);
        if (count == pending_.size()) {
            taken.swap(pending_);
        } else {
            taken = pending_.first(count);
            pending_.remove(0, count);
        }
        ended = ended_ && pending_.isEmpty();
        // More is waiting: take it in the next turn of the event loop, after what else is due.
        if (!pending_.isEmpty() && !takePosted_.exchange(true))
            QMetaObject::invokeMethod(this, &FolderListing::Take, Qt::QueuedConnection);
    }
    if (!taken.isEmpty()) {
        // Rows that are not kept go to the holders there are: nobody joins after them.
        if (keep_)
            rows_.append(taken);
        else if (!std::exchange(handedOn_, true))
            rows_ = {};
        emit Arrived(taken);
    }
    if (ended && !done_) {
        done_ = true;
        reader_.reset();
        emit Finished();
    }
}
