#include "TFileSorter.h"

#include "SelectedFiles.h"

#include "core/ItemRoles.h"
#include "core/ListRows.h"
#include "core/MsgDlg.h"
#include "fileops/ShellFileOps.h"
#include "fileops/SourceList.h"
#include "fileops/SortTexts.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

#include <algorithm>

namespace {

} // namespace

TFileSorter::TFileSorter(FileSorterContext context) : c_(std::move(context)) {}

SortPane* TFileSorter::PaneOf(const QWidget* list)
{
    if (list != nullptr && list == c_.source.list)
        return &c_.source;
    if (list != nullptr && list == c_.target.list)
        return &c_.target;
    return nullptr;
}

const QByteArray& TFileSorter::FolderOf(const SortPane& pane) const
{
    return &pane == &c_.source ? c_.head.SourcePath : c_.head.TargetPath;
}

bool TFileSorter::ValidFolder(const QByteArray& folder) const
{
    // The virtual nodes of a tree (trash, network) are no folders to put files in.
    return folder.startsWith('/');
}

void TFileSorter::Inform(const char* text)
{
    c_.msg.Show(QString::fromUtf8(text), MsgKind::Information, MsgButtons::Ok);
}

QByteArray TFileSorter::SelectedSources(const SortPane& pane, bool stopPlaying)
{
    return SelectedSourceList(pane.list, FolderOf(pane), stopPlaying ? c_.head.PlayingFile : QByteArray(), c_.stop);
}

void TFileSorter::DropGoneRows(const SortPane& pane)
{
    RemoveGoneRows(pane.list, FolderOf(pane));
    pane.list->viewport()->update();
    pane.updateStatus();
}

void TFileSorter::aFileCopyExecute()
{
    if (c_.tabIndex() == 1)
        return CopyEntries();
    if (c_.tabIndex() != 0)
        return;
    if (SelectedRows(c_.source.list).isEmpty())
        return Inform(SortTexts::kSelectToCopy);
    const QByteArray destination = c_.target.treeFolder();
    if (c_.head.TargetPath.isEmpty() || !ValidFolder(destination))
        return Inform(SortTexts::kSelectTarget);
    if (c_.head.SourcePath == c_.head.TargetPath)
        return Inform(SortTexts::kSameFolders);
    const QString s = c_.source.treeText();
    const QString t = c_.target.treeText();
    CopyToTarget(SelectedSources(c_.source, false), destination, SortTexts::CopyQuestion(s, t),
                 SortTexts::CopyTitle(s, t));
}

void TFileSorter::CopyToTarget(const QByteArray& sources, const QByteArray& destination, const QString& question,
                               const QString& title)
{
    // Whatever the answer or the outcome, the target pane shows what its folder holds now.
    if (!c_.head.bConfirmation || c_.msg.Show(question, MsgKind::Confirmation, MsgButtons::YesNo) == MsgResult::Yes)
        ShellCopyFiles(c_.fileOps, c_.owner, destination, sources, title);
    RefreshArrived(c_.target, destination, sources);
}

void TFileSorter::RefreshArrived(const SortPane& pane, const QByteArray& folder, const QByteArray& sources)
{
    QSet<QByteArray> names;
    for (const QByteArray& path : SplitSourceList(sources))
        names.insert(path.mid(path.lastIndexOf('/') + 1));
    pane.refreshNames(folder, names);
}

void TFileSorter::CopyEntries()
{
    if (c_.playlist.listCount() == 0)
        return Inform(SortTexts::kNoListToCopy);
    if (SelectedRows(c_.playlist.entries).isEmpty())
        return Inform(SortTexts::kSelectToCopy);
    const QByteArray destination = c_.target.treeFolder();
    if (c_.head.TargetPath.isEmpty() || !ValidFolder(destination))
        return Inform(SortTexts::kSelectTarget);
    // The entries are full paths.
    const QByteArray sources = SelectedSourceList(c_.playlist.entries, {}, {}, c_.stop);
    const QString l = c_.playlist.listName();
    const QString t = c_.target.treeText();
    CopyToTarget(sources, destination, SortTexts::ListCopyQuestion(l, t), SortTexts::ListCopyTitle(l, t));
}

void TFileSorter::aFileCutExecute()
{
    if (c_.tabIndex() != 0)
        return;
    if (SelectedRows(c_.source.list).isEmpty())
        return Inform(SortTexts::kSelectToCut);
    if (c_.head.TargetPath.isEmpty() || !ValidFolder(c_.target.treeFolder()))
        return Inform(SortTexts::kSelectTarget);
    if (c_.head.SourcePath == c_.head.TargetPath)
        return Inform(SortTexts::kSameFolders);
    const QString s = c_.source.treeText();
    const QString t = c_.target.treeText();
    MoveBetween(c_.source, c_.target, SortTexts::CutTitle(s, t), SortTexts::CutQuestion(s, t));
}

void TFileSorter::MoveBetween(SortPane& from, SortPane& to, const QString& title, const QString& question)
{
    const QByteArray sources = SelectedSources(from, true);
    const QByteArray destination = to.treeFolder();
    int result = 0;
    if (question.isEmpty() || !c_.head.bConfirmation
        || c_.msg.Show(question, MsgKind::Confirmation, MsgButtons::YesNo) == MsgResult::Yes)
        result = ShellMoveFiles(c_.fileOps, c_.owner, destination, sources, title);
    if (result != 0)
        return;
    DropGoneRows(from);
    RefreshArrived(to, destination, sources);
}

void TFileSorter::lvTargetDragDrop()
{
    DropInto(c_.source, c_.target, SortTexts::DropOnTargetTitle(c_.source.treeText(), c_.target.treeText()));
}

void TFileSorter::lvSourceDragDrop()
{
    DropInto(c_.target, c_.source, SortTexts::DropOnSourceTitle(c_.target.treeText(), c_.source.treeText()));
}

void TFileSorter::DropInto(SortPane& from, SortPane& to, const QString& title)
{
    if (c_.head.SourcePath == c_.head.TargetPath)
        return Inform(SortTexts::kSameFoldersNoCut);
    if (SelectedRows(from.list).isEmpty())
        return;
    if (!ValidFolder(to.treeFolder()))
        return Inform(SortTexts::kSelectTarget);
    MoveBetween(from, to, title, {});
}

void TFileSorter::aFileDeleteExecute()
{
    SortPane* pane = PaneOf(c_.activeList());
    // On the folder page only a pane list deletes files.
    if (pane == nullptr || c_.tabIndex() != 0)
        return;
    if (SelectedRows(pane->list).isEmpty())
        return Inform(SortTexts::kSelectToDelete);
    const QByteArray sources = SelectedSources(*pane, true);
    const QWidget* tree = c_.activeTree();
    const SortPane& titled = tree == c_.target.tree ? c_.target : tree == c_.source.tree ? c_.source : *pane;
    if (ShellDeleteFiles(c_.fileOps, c_.owner, sources, SortTexts::DeleteTitle(titled.treeText())) != 0)
        return;
    DropGoneRows(*pane);
}

void TFileSorter::aFileOpenExecute()
{
    SortPane* pane = PaneOf(c_.activeList());
    if (pane == nullptr)
        return;
    const QList<int> rows = SelectedRows(pane->list);
    if (!rows.isEmpty())
        ShellOpen(c_.opener, c_.owner, FolderOf(*pane) + RowBytes(pane->list, rows.first()));
}

void TFileSorter::aSelectAllExecute()
{
    if (auto* list = qobject_cast<QAbstractItemView*>(c_.activeList()))
        list->selectAll();
}

void TFileSorter::aReverseSelExecute()
{
    auto* list = qobject_cast<QAbstractItemView*>(c_.activeList());
    if (list == nullptr || list->selectionModel() == nullptr)
        return;
    QItemSelection all;
    const QAbstractItemModel* model = list->model();
    if (model->rowCount() > 0)
        all.select(model->index(0, 0), model->index(model->rowCount() - 1, model->columnCount() - 1));
    list->selectionModel()->select(all, QItemSelectionModel::Toggle);
}
