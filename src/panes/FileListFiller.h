#pragma once

#include "core/utHead.h"
#include "panes/FolderListing.h"

#include <QLocale>
#include <QObject>

#include <functional>
#include <memory>

class FileListModel;
struct RowDiff;
class IFileIcons;

// The rules of a pane's listing: its file-type box's mask and the options.
ListRules RulesFor(const QString& mask, const THead& head);

// Fills one pane list from its folder. Fill lists the folder from scratch, the rows
// arriving as they are read, each with the icon of its type; Refresh reads the
// same folder again and applies only the difference, so the rows that stay keep
// their selection and place.
class FileListFiller final : public QObject {
    Q_OBJECT
public:
    FileListFiller(FileListModel& list, IFileIcons& icons, QObject* parent = nullptr, FolderReaderMaker maker = {});
    ~FileListFiller() override;

    // Abandons any listing under way. join: a reading of the same folder under way
    // elsewhere will do (none when the folder has changed since it began).
    void Fill(const QByteArray& folder, const ListRules& rules, const QLocale& locale, int sizeUnit,
              bool join = true);
    void Refresh();
    // Reads again, on a worker, just the entries of these names (those that changed).
    void RefreshNames(const QSet<QByteArray>& names);
    // The folder listed, ending in "/".
    const QByteArray& Folder() const { return folder_; }
    // A Fill under way.
    bool Listing() const { return filling_ != nullptr; }
    // Runs action once no Fill is under way: now, or when the current one has ended; not at
    // all when another folder is filled first.
    void WhenListed(std::function<void()> action);

signals:
    // Rows came, went or changed.
    void RowsChanged();
    // A Fill has read the whole folder.
    void Listed();

private:
    void TakeFilled(QList<FileEntry> rows);
    void EndFill();
    bool DeferredToReadingUnderWay(bool orNames);
    void ApplyRefresh();
    void NamesRead(const QSet<QByteArray>& names, const QList<FileEntry>& fresh);
    void Apply(const RowDiff& diff, const QList<FileEntry>& fresh);
    void AddIcons(QList<FileEntry>& rows);

    FileListModel& list_;
    IFileIcons& icons_;
    QByteArray folder_;
    ListRules rules_;
    std::shared_ptr<FolderListing> filling_;
    std::shared_ptr<FolderListing> refreshing_;
    bool refreshAgain_ = false;
    std::unique_ptr<WorkerJob<FileEntry>> naming_;
    bool namingUnderWay_ = false;
    // Names asked for while others were read: read after them.
    QSet<QByteArray> namesAgain_;
    FolderReaderMaker maker_;
    std::vector<std::function<void()>> whenListed_;
};
