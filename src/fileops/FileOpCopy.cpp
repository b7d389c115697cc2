// Copying and moving: the transfer half of the file-operation job.
#include "TFileOpJob.h"

#include "FileCopy.h"
#include "FileOpTexts.h"
#include "NameBytes.h"

#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kLinkNameTries = 100;

bool SameFolder(const QByteArray& a, const QByteArray& b)
{
    struct stat sa {}, sb {};
    return ::stat(a.constData(), &sa) == 0 && ::stat(b.constData(), &sb) == 0 && sa.st_dev == sb.st_dev
        && sa.st_ino == sb.st_ino;
}

} // namespace

TFileOpJob::Step TFileOpJob::TransferItem(const QByteArray& source)
{
    struct stat st {};
    Step step = Attempt([&]() -> Failure {
        if (!source.startsWith('/'))
            return {EINVAL, source, BadPathReason()};
        if (::lstat(source.constData(), &st) != 0)
            return {errno, source, {}};
        if (S_ISDIR(st.st_mode) && InsideItself(source))
            return {EINVAL, source, SubfolderReason()};
        return {};
    });
    if (step != Step::Done)
        return step;
    if (kind_ == FileOpKind::Copy)
        return CopyTop(source, st);
    // Moving an item into the folder it is in leaves it there.
    if (SameFolder(FolderOf(source), destination_))
        return Step::Done;
    bool crossed = false;
    step = Attempt([&] { return MoveByRename(source, st, crossed); });
    if (step != Step::Done || !crossed)
        return step;
    sync_ = true;
    copiedSources_.clear();
    copiedFolders_.clear();
    step = CopyTop(source, st);
    if (step == Step::Done)
        step = RemoveMovedSources();
    sync_ = false;
    return step;
}

bool TFileOpJob::InsideItself(const QByteArray& folder) const
{
    const QByteArray from = RealPath(folder);
    const QByteArray to = RealPath(destination_);
    return !from.isEmpty() && (to == from || to.startsWith(from == "/" ? from : from + "/"));
}

TFileOpJob::Failure TFileOpJob::MoveByRename(const QByteArray& source, const struct stat& st, bool& crossed)
{
    QByteArray placed;
    const int error = PlaceNoReplace(source, destination_, BaseName(source), S_ISDIR(st.st_mode), placed);
    crossed = error == EXDEV;
    if (error == 0 || crossed)
        return {};
    return Blame(error, source);
}

TFileOpJob::Failure TFileOpJob::Blame(int error, const QByteArray& source) const
{
    const bool destination = error == ENOSPC || error == EDQUOT || error == EFBIG || error == EROFS
        || ((error == EACCES || error == EPERM) && ::access(destination_.constData(), W_OK | X_OK) != 0);
    return {error, destination ? destination_ : source, {}};
}

TFileOpJob::Step TFileOpJob::CopyTop(const QByteArray& source, const struct stat& st)
{
    Step step = Step::Done;
    if (S_ISREG(st.st_mode)) {
        step = Attempt([&]() -> Failure {
            QByteArray temp;
            const int to = MakeTempFile(destination_, temp);
            if (to < 0)
                return {errno, destination_, {}};
            Failure failure = CopyData(source, st, to);
            if (::close(to) != 0 && failure.error == 0)
                failure = {errno, destination_, {}};
            return PlaceTemporary(temp, source, failure);
        });
    } else if (S_ISLNK(st.st_mode)) {
        step = Attempt([&]() -> Failure {
            for (int tries = 0; tries < kLinkNameTries; ++tries) {
                const QByteArray temp = JoinPath(
                    destination_, ".kiro-" + QByteArray::number(QRandomGenerator::global()->generate(), 16) + ".link");
                const Failure failure = MakeLink(source, st, temp);
                if (failure.error == EEXIST && failure.path == temp)
                    continue;
                return PlaceTemporary(temp, source, failure);
            }
            return {EEXIST, destination_, {}};
        });
    } else if (S_ISDIR(st.st_mode)) {
        QByteArray temp;
        step = Attempt([&]() -> Failure {
            const int error = MakeTempFolder(destination_, temp);
            return {error, destination_, {}};
        });
        if (step != Step::Done)
            return step;
        step = CopyFolderContents(source, st, temp);
        if (step == Step::Done) {
            step = Attempt([&]() -> Failure {
                QByteArray placed;
                const int error = PlaceNoReplace(temp, destination_, BaseName(source), true, placed);
                return {error, destination_, {}};
            });
        }
        if (step != Step::Done) {
            QByteArray failedPath;
            RemoveTree(temp, failedPath);
            return step;
        }
    } else {
        return Attempt([&]() -> Failure { return {EINVAL, source, UnsupportedTypeReason()}; });
    }
    if (step != Step::Done)
        return step;
    if (sync_) {
        if (!S_ISDIR(st.st_mode))
            copiedSources_.append(source);
        // The new name must be on the disk before the source goes.
        return Attempt([&]() -> Failure { return {SyncFolder(destination_), destination_, {}}; });
    }
    return Step::Done;
}

TFileOpJob::Failure TFileOpJob::PlaceTemporary(const QByteArray& temp, const QByteArray& source, Failure failure)
{
    if (failure.error == 0) {
        QByteArray placed;
        if (const int error = PlaceNoReplace(temp, destination_, BaseName(source), false, placed))
            failure = {error, destination_, {}};
    }
    if (failure.error != 0)
        ::unlink(temp.constData());
    return failure;
}

TFileOpJob::Failure TFileOpJob::CopyData(const QByteArray& source, const struct stat& st, int toFd)
{
    const int from = ::open(source.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (from < 0)
        return {errno, source, {}};
    int error = CopyFileData(from, toFd, [this](qint64 bytes) {
        AddBytes(bytes);
        return Checkpoint();
    });
    ::close(from);
    if (error != 0)
        return Blame(error, source);
    return {FinishCopy(toFd, st, sync_), destination_, {}};
}

TFileOpJob::Failure TFileOpJob::MakeLink(const QByteArray& source, const struct stat& st, const QByteArray& target)
{
    QByteArray text(qMax<qsizetype>(st.st_size, 64) + 1, '\0');
    for (;;) {
        const ssize_t length = ::readlink(source.constData(), text.data(), size_t(text.size()));
        if (length < 0)
            return {errno, source, {}};
        if (length < text.size()) {
            text.truncate(length);
            break;
        }
        text.resize(text.size() * 2);
    }
    if (::symlink(text.constData(), target.constData()) != 0)
        return {errno, target, {}};
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::utimensat(AT_FDCWD, target.constData(), times, AT_SYMLINK_NOFOLLOW);
    return {};
}

TFileOpJob::Step TFileOpJob::CopyEntry(const QByteArray& source, const QByteArray& target)
{
    struct stat st {};
    Step step = Attempt([&]() -> Failure {
        return {::lstat(source.constData(), &st) == 0 ? 0 : errno, source, {}};
    });
    if (step != Step::Done)
        return step;
    if (S_ISDIR(st.st_mode)) {
        step = Attempt([&]() -> Failure {
            return {::mkdir(target.constData(), 0700) == 0 ? 0 : errno, destination_, {}};
        });
        return step == Step::Done ? CopyFolderContents(source, st, target) : step;
    }
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        return Attempt([&]() -> Failure { return {EINVAL, source, UnsupportedTypeReason()}; });
    step = Attempt([&]() -> Failure {
        Failure failure;
        if (S_ISLNK(st.st_mode)) {
            failure = MakeLink(source, st, target);
        } else {
            const int to = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (to < 0)
                return {errno, destination_, {}};
            failure = CopyData(source, st, to);
            if (::close(to) != 0 && failure.error == 0)
                failure = {errno, destination_, {}};
        }
        if (failure.error != 0)
            ::unlink(target.constData());
        return failure;
    });
    if (step == Step::Done && sync_)
        copiedSources_.append(source);
    return step;
}

TFileOpJob::Step TFileOpJob::CopyFolderContents(const QByteArray& source, const struct stat& st,
                                                const QByteArray& target)
{
    QList<QByteArray> names;
    Step step = Attempt([&]() -> Failure {
        names.clear();
        DIR* dir = ::opendir(source.constData());
        if (dir == nullptr)
            return {errno, source, {}};
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names.append(name);
        }
        ::closedir(dir);
        return {};
    });
    if (step == Step::Stopped || step == Step::Cancelled)
        return step;
    for (const QByteArray& name : names) {
        if (!Checkpoint())
            return Step::Cancelled;
        step = CopyEntry(source + "/" + name, target + "/" + name);
        if (step == Step::Stopped || step == Step::Cancelled)
            return step;
    }
    step = Attempt([&]() -> Failure {
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        if (::chmod(target.constData(), st.st_mode & 07777) != 0
            || ::utimensat(AT_FDCWD, target.constData(), times, 0) != 0)
            return {errno, destination_, {}};
        return {sync_ ? SyncFolder(target) : 0, destination_, {}};
    });
    if (step == Step::Stopped || step == Step::Cancelled)
        return step;
    if (sync_)
        copiedFolders_.append(source);
    return Step::Done;
}

TFileOpJob::Step TFileOpJob::RemoveMovedSources()
{
    for (const QByteArray& source : copiedSources_) {
        const Step step = Attempt([&]() -> Failure {
            return {::unlink(source.constData()) == 0 || errno == ENOENT ? 0 : errno, source, {}};
        });
        if (step == Step::Stopped)
            return step;
    }
    // Folders still holding an item the user skipped stay where they are.
    for (const QByteArray& folder : copiedFolders_)
        ::rmdir(folder.constData());
    return Step::Done;
}
