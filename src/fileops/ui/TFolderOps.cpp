#include "TFolderOps.h"

#include "utNewFolder.h"
#include "core/MsgDlg.h"
#include "core/NoReplace.h"
#include "fileops/FolderOpRules.h"
#include "fileops/ShellFileOps.h"
#include "fileops/SourceList.h"

#include <QAction>
#include <QWidget>

#include <sys/stat.h>

using namespace FolderOps;

namespace {

QByteArray OneSource(const QByteArray& path)
{
    QByteArray list;
    AppendSource(list, path);
    return EndSourceList(list);
}

MenuState StateOf(const FolderTreeSide& side)
{
    return MenuStateFor(side.text(), side.systemPlace());
}

} // namespace

TFolderOps::TFolderOps(FolderOpsContext context) : c_(std::move(context)) {}

FolderTreeSide* TFolderOps::Active()
{
    QWidget* tree = c_.activeTree();
    if (tree != nullptr && tree == c_.source.tree)
        return &c_.source;
    if (tree != nullptr && tree == c_.target.tree)
        return &c_.target;
    return nullptr;
}

FolderTreeSide& TFolderOps::Other(const FolderTreeSide& side)
{
    return &side == &c_.source ? c_.target : c_.source;
}

void TFolderOps::StopIfPlaying(const QByteArray& folder)
{
    if (PlaysInside(c_.head.PlayingFile, folder))
        c_.stop();
}

void TFolderOps::Warn(const char* text)
{
    c_.msg.Show(QString::fromUtf8(text), MsgKind::Warning, MsgButtons::Ok);
}

void TFolderOps::pmFolderTvPopup()
{
    const FolderTreeSide* side = Active();
    const MenuState state = side != nullptr ? StateOf(*side) : MenuState{false, false, false, false};
    c_.items.copy->setEnabled(state.copy);
    c_.items.cut->setEnabled(state.cut);
    c_.items.remove->setEnabled(state.remove);
    c_.items.rename->setEnabled(state.rename);
}

void TFolderOps::pmiRefreshClick()
{
    if (FolderTreeSide* side = Active())
        side->refresh();
}

void TFolderOps::pmiFolderCopyClick()
{
    FolderTreeSide* side = Active();
    if (side == nullptr || !StateOf(*side).copy)
        return;
    FolderTreeSide& other = Other(*side);
    const QByteArray from = side->path();
    const QByteArray to = other.path();
    if (from.isEmpty() || to.isEmpty())
        return;
    if (from == to)
        return Warn(kSameFolderNoCopy);
    // The copy would run into itself without end.
    if (IsSameOrBelow(from, to))
        return Warn(kCopyIntoItself);
    const QString title = CopyTitle(side->text(), other.text());
    if (c_.msg.Show(CopyQuestion(from, to), MsgKind::Confirmation, MsgButtons::YesNo) == MsgResult::No)
        return;
    if (ShellCopyFiles(c_.fileOps, c_.owner, to, OneSource(from), title) == 0)
        other.selectExisting();
}

void TFolderOps::pmiFolderCutClick()
{
    FolderTreeSide* side = Active();
    if (side == nullptr || !StateOf(*side).cut)
        return;
    const QByteArray from = side->path();
    if (from.isEmpty())
        return;
    StopIfPlaying(from);
    FolderTreeSide& other = Other(*side);
    const QByteArray to = other.path();
    if (to.isEmpty())
        return;
    if (from == to)
        return Warn(kSameFolderNoCut);
    if (IsSameOrBelow(from, to))
        return Warn(kCutIntoItself);
    const QString title = CutTitle(side->text(), other.text());
    if (c_.msg.Show(CutQuestion(from, to), MsgKind::Confirmation, MsgButtons::YesNo) == MsgResult::No)
        return;
    if (ShellMoveFiles(c_.fileOps, c_.owner, to, OneSource(from), title) != 0 || IsFolder(from))
        return;
    other.selectExisting();
    side->selectParent();
}

QByteArray TFolderOps::NewFolderParent()
{
    if (c_.source.tree->hasFocus())
        return c_.head.SourcePath;
    if (c_.target.tree->hasFocus())
        return c_.head.TargetPath;
    // Without a focused tree, the folder of the active tree's pane rather than the program's own
    // working folder.
    const FolderTreeSide* side = Active();
    if (side == nullptr)
        return {};
    return side == &c_.source ? c_.head.SourcePath : c_.head.TargetPath;
}

void TFolderOps::pmiFolderNewClick()
{
    const QByteArray parent = NewFolderParent();
    TwinNewFolder dialog(c_.msg, parent, c_.owner);
    dialog.exec();
    if (!dialog.Result())
        return;
    const auto path = NewFolderPath(parent, dialog.NewName());
    if (!path || ::mkdir(path->constData(), 0777) != 0) {
        c_.msg.Show(QString::fromUtf8(kCreateFailed), MsgKind::Error, MsgButtons::Ok);
        return;
    }
    if (FolderTreeSide* side = Active())
        side->refresh();
}

void TFolderOps::pmiFolderDeleteClick()
{
    FolderTreeSide* side = Active();
    if (side == nullptr || !StateOf(*side).remove)
        return;
    const QByteArray folder = side->path();
    if (folder.isEmpty())
        return;
    StopIfPlaying(folder);
    if (ShellDeleteFiles(c_.fileOps, c_.owner, OneSource(folder), DeleteTitle(side->text())) != 0 ||
        IsFolder(folder))
        return;
    FolderTreeSide& other = Other(*side);
    if (c_.head.SourcePath == c_.head.TargetPath)
        other.selectExisting();
    side->selectParent();
    side->click();
    other.click();
}

void TFolderOps::pmiFolderRenameClick()
{
    FolderTreeSide* side = Active();
    if (side != nullptr && StateOf(*side).rename)
        side->startEditing();
}

bool TFolderOps::dtvSourceEditing(const FolderTreeSide& side)
{
    // The folder being renamed is the one in the editing tree.
    StopIfPlaying(side.path());
    return MayEditName(side.text()) && !side.systemPlace();
}

void TFolderOps::dtvSourceEdited(const FolderTreeSide& side, const QByteArray& path, const QString& newName)
{
    // The trash and network nodes are no folders: they keep their names.
    if (!path.startsWith('/'))
        return;
    // Something may have started playing in the folder while its name was edited.
    StopIfPlaying(path);
    const auto renamed = RenamedPath(path, newName);
    if (!renamed || RenameNoReplace(path, *renamed) != 0) {
        c_.msg.Show(RenameFailed(newName), MsgKind::Error, MsgButtons::Ok);
        return;
    }
    side.showRenamed(*renamed);
}
