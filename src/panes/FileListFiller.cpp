#include "panes/FileListFiller.h"

#include "panes/FileIcons.h"
#include "panes/FileListModel.h"
#include "panes/RowDiff.h"

#include <sys/stat.h>

#include <algorithm>

namespace {

bool exists(const QByteArray& path, bool folder)
{
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && (!folder || S_ISDIR(st.st_mode));
}

QByteArray upperExtension(const QByteArray& name)
{
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QByteArray() : name.sliced(dot).toUpper();
}

} // namespace

ListRules RulesFor(const QString& mask, const THead& head)
{
    return ListRules {mask.toUtf8(), head.bShowHideSys, head.PlayingFile};
}

FileListFiller::FileListFiller(FileListModel& list, IFileIcons& icons, QObject* parent, FolderReaderMaker maker)
    : QObject(parent), list_(list), icons_(icons), maker_(std::move(maker))
{
}

FileListFiller::~FileListFiller() = default;

void FileListFiller::Fill(const QByteArray& folder, const ListRules& rules, const QLocale& locale, int sizeUnit,
                          bool join)
{
    if (filling_)
        filling_->disconnect(this);
    refreshing_.reset();
    refreshAgain_ = false;
    naming_.reset();
    namingUnderWay_ = false;
    namesAgain_.clear();
    // What waited for the listing of another folder is not for this one.
    if (folder != folder_)
        whenListed_.clear();
    folder_ = folder;
    rules_ = rules;
    list_.Clear();
    list_.SetLook(locale, sizeUnit);
    list_.RemoveImagesButFixed();
    filling_ = FolderListing::Open(folder, rules, join, maker_);
    connect(filling_.get(), &FolderListing::Arrived, this, &FileListFiller::TakeFilled);
    connect(filling_.get(), &FolderListing::Finished, this, &FileListFiller::EndFill);
    TakeFilled(filling_->Rows());
    if (filling_->Done())
        EndFill();
}

void FileListFiller::TakeFilled(QList<FileEntry> rows)
{
    if (rows.isEmpty())
        return;
    AddIcons(rows);
    list_.InsertRows(std::move(rows));
    emit RowsChanged();
}

void FileListFiller::EndFill()
{
    filling_->disconnect(this);
    filling_.reset();
    list_.ReleaseSpareRoom();
    if (std::exchange(refreshAgain_, false))
        Refresh();
    emit Listed();
    for (auto& action : std::exchange(whenListed_, {}))
        action();
}

void FileListFiller::WhenListed(std::function<void()> action)
{
    if (Listing())
        whenListed_.push_back(std::move(action));
    else
        action();
}

bool FileListFiller::DeferredToReadingUnderWay(bool orNames)
{
    // A reading under way may have passed the change already: read once more after it.
    if (!filling_ && !refreshing_ && !(orNames && namingUnderWay_))
        return false;
    refreshAgain_ = true;
    return true;
}

void FileListFiller::Refresh()
{
    if (DeferredToReadingUnderWay(true))
        return;
    refreshing_ = FolderListing::OpenKept(folder_, rules_, maker_);
    if (refreshing_->Done())
        ApplyRefresh();
    else
        connect(refreshing_.get(), &FolderListing::Finished, this, &FileListFiller::ApplyRefresh);
}

void FileListFiller::RefreshNames(const QSet<QByteArray>& names)
{
    if (names.isEmpty() || DeferredToReadingUnderWay(false))
        return;
    if (namingUnderWay_) {
        namesAgain_.unite(names);
        return;
    }
    namingUnderWay_ = true;
    std::shared_ptr<IFolderReader> reader = FolderReader::Make(maker_, folder_, rules_);
    naming_ = std::make_unique<WorkerJob<FileEntry>>(
        [reader, names](QList<FileEntry>& rows, int, const std::atomic<bool>& cancelled) {
            rows.append(reader->ReadNames(names, cancelled));
            return false;
        },
        [this, names](QList<FileEntry> rows, bool) { NamesRead(names, rows); });
}

void FileListFiller::NamesRead(const QSet<QByteArray>& names, const QList<FileEntry>& fresh)
{
    namingUnderWay_ = false;
    Apply(DiffNamedRows(list_, names, fresh), fresh);
    // A whole reading asked for meanwhile covers the names too.
    if (std::exchange(refreshAgain_, false)) {
        namesAgain_.clear();
        Refresh();
    } else if (!namesAgain_.isEmpty()) {
        RefreshNames(std::exchange(namesAgain_, {}));
    }
}

void FileListFiller::ApplyRefresh()
{
    const std::shared_ptr<FolderListing> listing = std::exchange(refreshing_, nullptr);
    Apply(DiffRows(list_, listing->Rows()), listing->Rows());
    if (std::exchange(refreshAgain_, false))
        Refresh();
}

void FileListFiller::Apply(const RowDiff& diff, const QList<FileEntry>& fresh)
{
    // Gone rows first: an update may move rows under a sort.
    for (qsizetype i = diff.removed.size() - 1; i >= 0;) {
        // Runs of neighbouring rows go in one step.
        qsizetype first = i;
        while (first > 0 && diff.removed[first - 1] == diff.removed[first] - 1)
            --first;
        list_.removeRows(diff.removed[first], static_cast<int>(i - first + 1));
        i = first - 1;
    }
    QList<QPair<int, FileEntry>> updates;
    updates.reserve(diff.changed.size());
    for (const auto& [row, f] : diff.changed) {
        const auto goneBefore = std::lower_bound(diff.removed.begin(), diff.removed.end(), row) - diff.removed.begin();
        updates.append({row - static_cast<int>(goneBefore), fresh[f]});
    }
    list_.UpdateRows(updates);
    QList<FileEntry> added;
    added.reserve(diff.added.size());
    for (int f : diff.added)
        added.append(fresh[f]);
    AddIcons(added);
    list_.InsertRows(std::move(added));
    if (!diff.removed.isEmpty() || !diff.changed.isEmpty() || !diff.added.isEmpty())
        emit RowsChanged();
}

void FileListFiller::AddIcons(QList<FileEntry>& rows)
{
    if (rows.isEmpty() || !exists(folder_, true))
        return;
    // Files of one type tend to come together; the last one saves a look-up.
    QByteArray lastExtension;
    int lastImage = -1;
    for (FileEntry& row : rows) {
        const QByteArray extension = upperExtension(row.name);
        if (lastImage >= 0 && extension == lastExtension) {
            row.imageIndex = lastImage;
            continue;
        }
        int image = list_.ImageOfExtension(extension);
        if (image < 0) {
            // The icon comes from the first file of its type that is still there.
            const QByteArray path = folder_ + row.name;
            if (!exists(path, false))
                continue;
            image = list_.AddImage(extension, icons_.SmallFileIcon(path));
        }
        row.imageIndex = lastImage = image;
        lastExtension = extension;
    }
}
