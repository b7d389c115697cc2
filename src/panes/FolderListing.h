#pragma once

#include "panes/FolderReader.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

// One reading of a folder. The first few entries are read at once, so a small
// folder is listed when Open returns; the rest is read on a worker thread and
// arrives in batches on the thread that opened it. Until the first batch has
// arrived, opening the same folder with the same rules joins the reading instead
// of reading again (both panes on one folder); the reading stops when the last
// holder lets it go.
class FolderListing final : public QObject {
    Q_OBJECT
public:
    // A reading whose batches are handed on and not kept; join: it may be joined.
    static std::shared_ptr<FolderListing> Open(const QByteArray& folder, const ListRules& rules, bool join = true);
    // A reading of its own that keeps every row (a watched folder read again, to compare).
    static std::shared_ptr<FolderListing> OpenKept(const QByteArray& folder, const ListRules& rules);
    ~FolderListing() override;

    // The rows read when it was opened; for a kept reading, every row that has arrived.
    const QList<FileEntry>& Rows() const { return rows_; }
    bool Done() const { return done_; }

signals:
    // These rows have arrived after the ones before.
    void Arrived(const QList<FileEntry>& rows);
    void Finished();

private:
    FolderListing(const QByteArray& folder, const ListRules& rules, bool keep);
    bool Joinable() const { return !done_ && !handedOn_; }
    void Work();
    void Take();

    std::unique_ptr<FolderReader> reader_;
    QList<FileEntry> rows_;
    const bool keep_;
    bool handedOn_ = false; // a batch went to the holders without being kept
    bool done_ = false;
    std::thread worker_;
    std::atomic<bool> cancel_ {false};
    std::atomic<bool> takePosted_ {false};
    std::mutex mutex_;
    QList<FileEntry> pending_; // read by the worker, not yet taken
    bool ended_ = false;       // the worker has read the last entry
};
