#include "TFileOpJob.h"

#include "FileCopy.h"
#include "FileOpTexts.h"
#include "SourceList.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

// An item the user chose to leave where it is, without an error to show.
constexpr int kLeftAlone = -1;

} // namespace

TFileOpJob::TFileOpJob(FileOpKind kind, QByteArray sourceList, QByteArray destination)
    : kind_(kind), sources_(SplitSourceList(sourceList)), destination_(std::move(destination))
{
    while (destination_.size() > 1 && destination_.endsWith('/'))
        destination_.chop(1);
    stats_.itemsTotal = sources_.size();
    progress_.Set(stats_);
}

int TFileOpJob::Run(IFileOpQuestions& questions)
{
    questions_ = &questions;
    const int result = kind_ == FileOpKind::Trash ? RunTrash() : RunTransfer();
    progress_.Set(stats_);
    questions_ = nullptr;
    return result;
}

TFileOpJob::Step TFileOpJob::Attempt(const std::function<Failure()>& work)
{
    const qint64 bytesBefore = stats_.bytesDone;
    for (;;) {
        const Failure failure = work();
        if (failure.error == 0)
            return Step::Done;
        stats_.bytesDone = bytesBefore;
        if (failure.error == kLeftAlone)
            return Step::Skipped;
        if (cancelled_)
            return Step::Cancelled;
        const QString reason = failure.reason.isEmpty() ? SystemReason(failure.error) : failure.reason;
        switch (questions_->AskError(failure.path, reason)) {
        case ErrorAnswer::Skip:
            return Step::Skipped;
        case ErrorAnswer::Stop:
            return Step::Stopped;
        case ErrorAnswer::Retry:
            break;
        }
    }
}

bool TFileOpJob::Checkpoint()
{
    if (cancelled_)
        return false;
    progress_.Set(stats_);
    if (!questions_->GoOn(stats_))
        cancelled_ = true;
    return !cancelled_;
}

void TFileOpJob::AddBytes(qint64 bytes)
{
    stats_.bytesDone += bytes;
}

void TFileOpJob::ItemDone()
{
    ++stats_.itemsDone;
    progress_.Set(stats_);
}

int TFileOpJob::RunTrash()
{
    if (sources_.isEmpty())
        return kFileOpDone;
    for (const QByteArray& source : sources_) {
        if (!source.startsWith('/')) {
            questions_->AskError(source, BadPathReason());
            return kFileOpFailed;
        }
    }
    if (!questions_->ConfirmTrash(int(sources_.size()), sources_.size() == 1 ? sources_.first() : QByteArray()))
        return kFileOpCancelled;
    return ForEachSource([this](const QByteArray& source) {
        return Attempt([&]() -> Failure {
            const TTrash::Result put = trash_.Put(source);
            if (put.outcome == TTrash::Outcome::Trashed)
                return {};
            if (put.outcome == TTrash::Outcome::Failed)
                return {put.error, source, {}};
            if (!questions_->ConfirmDeleteForGood(source))
                return {kLeftAlone, source, {}};
            QByteArray failedPath = source;
            const int error = RemoveTree(source, failedPath);
            return {error, failedPath, {}};
        });
    });
}

bool TFileOpJob::PrepareDestination()
{
    if (!destination_.startsWith('/')) {
        questions_->AskError(destination_, BadPathReason());
        return false;
    }
    struct stat st {};
    if (::stat(destination_.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return true;
        questions_->AskError(destination_, SystemReason(ENOTDIR));
        return false;
    }
    if (errno != ENOENT) {
        questions_->AskError(destination_, SystemReason(errno));
        return false;
    }
    if (!questions_->ConfirmCreateFolder(destination_)) {
        cancelled_ = true;
        return false;
    }
    return Attempt([&]() -> Failure {
               return {MakeFolders(destination_, 0777), destination_, {}};
           })
        == Step::Done;
}

qint64 TFileOpJob::CountBytes(const QByteArray& path) const
{
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0)
        return 0;
    if (S_ISREG(st.st_mode))
        return st.st_size;
    if (!S_ISDIR(st.st_mode))
        return 0;
    qint64 total = 0;
    if (DIR* dir = ::opendir(path.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                total += CountBytes(path + "/" + name);
        }
        ::closedir(dir);
    }
    return total;
}

int TFileOpJob::RunTransfer()
{
    if (sources_.isEmpty())
        return kFileOpDone;
    if (!PrepareDestination())
        return cancelled_ ? kFileOpCancelled : kFileOpFailed;
    struct stat destination {};
    ::stat(destination_.constData(), &destination);
    for (const QByteArray& source : sources_) {
        struct stat st {};
        // A move within one file system is a rename: nothing to carry.
        const bool renames = kind_ == FileOpKind::Move && ::lstat(source.constData(), &st) == 0
            && st.st_dev == destination.st_dev;
        if (!renames)
            stats_.bytesTotal += CountBytes(source);
    }
    progress_.Set(stats_);
    return ForEachSource([this](const QByteArray& source) { return TransferItem(source); });
}

int TFileOpJob::ForEachSource(const std::function<Step(const QByteArray&)>& item)
{
    for (const QByteArray& source : sources_) {
        if (!Checkpoint())
            return kFileOpCancelled;
        const Step step = item(source);
        if (step == Step::Stopped)
            return kFileOpFailed;
        if (step == Step::Cancelled)
            return kFileOpCancelled;
        ItemDone();
    }
    return kFileOpDone;
}
