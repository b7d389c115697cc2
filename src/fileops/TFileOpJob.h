#pragma once

#include "FileOpQuestions.h"
#include "Trash.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

#include <sys/stat.h>

enum class FileOpKind { Copy, Move, Trash };

// What a job answers: 0 when the operation ran (items the user skipped included), otherwise why not.
inline constexpr int kFileOpDone = 0;
inline constexpr int kFileOpFailed = 1;
inline constexpr int kFileOpCancelled = 2;

// One copy, move or trash of files and folders, recursive, without widgets. Run it on a worker
// thread; it reaches the user only through the questions it is given. Arriving items whose name is
// taken get a new one; nothing is ever replaced. A copy becomes visible under its name only when
// whole; a move to another file system is such a copy, flushed to the disk, before the source goes.
class TFileOpJob {
public:
    // sourceList: NUL-separated full paths (see SourceList.h); destination: a folder (copy, move).
    TFileOpJob(FileOpKind kind, QByteArray sourceList, QByteArray destination = {});

    FileOpKind Kind() const { return kind_; }
    int Run(IFileOpQuestions& questions);
    // Safe from any thread while Run works.
    FileOpStats Snapshot() const { return progress_.Snapshot(); }

private:
    enum class Step { Done, Skipped, Stopped, Cancelled };
    struct Failure {
        int error = 0;
        QByteArray path;
        QString reason;   // when not the system's text for error
    };

    Step Attempt(const std::function<Failure()>& work);
    bool Checkpoint();
    void AddBytes(qint64 bytes);
    void ItemDone();

    // Runs item on each source in turn, between checkpoints; the job's result.
    int ForEachSource(const std::function<Step(const QByteArray&)>& item);
    int RunTrash();
    int RunTransfer();
    bool PrepareDestination();
    qint64 CountBytes(const QByteArray& path) const;

    Step TransferItem(const QByteArray& source);
    Failure MoveByRename(const QByteArray& source, const struct stat& st, bool& crossed);
    // A failure either side may raise names the destination when it is full, read-only or refuses
    // to be written, else the source.
    Failure Blame(int error, const QByteArray& source) const;
    bool InsideItself(const QByteArray& folder) const;
    Step CopyTop(const QByteArray& source, const struct stat& st);
    // Gives a whole temporary copy of a file or link its name, or removes it after a failure.
    Failure PlaceTemporary(const QByteArray& temp, const QByteArray& source, Failure failure);
    Step CopyEntry(const QByteArray& source, const QByteArray& target);
    Failure CopyData(const QByteArray& source, const struct stat& st, int toFd);
    Failure MakeLink(const QByteArray& source, const struct stat& st, const QByteArray& target);
    Step CopyFolderContents(const QByteArray& source, const struct stat& st, const QByteArray& target);
    Step RemoveMovedSources();

    FileOpKind kind_;
    QList<QByteArray> sources_;
    QByteArray destination_;
    TTrash trash_;
    IFileOpQuestions* questions_ = nullptr;
    FileOpProgress progress_;
    FileOpStats stats_;
    bool cancelled_ = false;
    bool sync_ = false;                  // the copy in progress replaces a move
    QList<QByteArray> copiedSources_;    // files a cross-device move has copied whole
    QList<QByteArray> copiedFolders_;
};
