// The folder commands of the two trees and the used-target-folders dialog.
#include "fileops/ui/TFolderOps.h"
#include "fileops/ui/utTargetList.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"
#include "playlists/TListQuery.h"
#include "playlists/ui/TListDetailView.h"
#include "playlists/ui/TPlaylists.h"
#include "utMain.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>

namespace {

bool IsSystemPlace(TFolderTree* tree)
{
    using Kind = FolderTreeModel::NodeKind;
    const Kind kind = tree->Model().Kind(tree->SelectedNode());
    return kind == Kind::Home || kind == Kind::Computer || kind == Kind::Volume;
}

} // namespace

void TwinMain::BuildFolderOps()
{
    const auto side = [this](TFolderPane* pane) {
        TFolderTree* tree = pane->Tree();
        FolderTreeSide s;
        s.tree = tree;
        s.text = [tree] { return tree->SelectedNode().data(Qt::DisplayRole).toString(); };
        s.path = [tree] { return tree->SelectedPath(); };
        s.systemPlace = [tree] { return IsSystemPlace(tree); };
        s.refresh = [tree] { tree->RefreshNode(tree->SelectedNode()); };
        s.selectExisting = [pane] { pane->SelectExistingFolder(); };
        s.selectParent = [tree] {
            const QModelIndex parent = tree->SelectedParent();
            if (!parent.isValid())
                return;
            tree->SelectNode(parent);
            tree->RefreshNode(parent);
        };
        s.startEditing = [tree] { tree->EditSelectedName(); };
        s.showRenamed = [tree](const QByteArray& path) { tree->ShowRenamed(path); };
        s.click = [pane] { pane->dtvSourceClick(); };
        return s;
    };
    QMenu* menu = popups_.value("pmFolderTv");
    const auto item = [menu](const char* name) { return menu->findChild<QAction*>(QLatin1String(name)); };
    folderOps_ = std::make_unique<TFolderOps>(FolderOpsContext{
        Head_, *MsgDlg_, *fileOpUi_, this, side(pnlSource_), side(pnlTarget_),
        FolderMenuItems{item("pmiFolderCopy"), item("pmiFolderCut"), item("pmiFolderDelete"), item("pmiFolderRename")},
        [this] { return ActiveTree_; }, [this] { actions_.value("aStop")->trigger(); }});

    TFolderOps* ops = folderOps_.get();
    connect(menu, &QMenu::aboutToShow, this, [ops] { ops->pmFolderTvPopup(); });
    const std::pair<const char*, void (TFolderOps::*)()> handlers[] = {
        {"pmiRefresh", &TFolderOps::pmiRefreshClick},          {"pmiFolderCopy", &TFolderOps::pmiFolderCopyClick},
        {"pmiFolderCut", &TFolderOps::pmiFolderCutClick},      {"pmiFolderNew", &TFolderOps::pmiFolderNewClick},
        {"pmiFolderDelete", &TFolderOps::pmiFolderDeleteClick}, {"pmiFolderRename", &TFolderOps::pmiFolderRenameClick},
    };
    for (const auto& [name, handler] : handlers)
        connect(item(name), &QAction::triggered, this, [ops, handler] { (ops->*handler)(); });
    for (TFolderPane* pane : {pnlSource_, pnlTarget_}) {
        TFolderTree* tree = pane->Tree();
        const FolderTreeSide s = side(pane);
        connect(tree, &TFolderTree::Editing, this, [ops, s](bool* allow) { *allow = ops->dtvSourceEditing(s); });
        connect(tree, &TFolderTree::Edited, this, [ops, s](const QByteArray& path, const QString& name) {
            ops->dtvSourceEdited(s, path, name);
        });
    }

    connect(actions_.value("aFileTarget"), &QAction::triggered, this, &TwinMain::aFileTargetExecute);
}

void TwinMain::aFileTargetExecute()
{
    TwinTargetList dialog(TargetListContext{Head_, *MsgDlg_, *fileOpUi_, *folderChooser_, playlists_->Store(),
                                            [this] { return pcMain_->currentIndex(); }, pnlSource_->List(),
                                            lvListDetail_,
                                            [this] {
                                                TFolderTree* tree = pnlSource_->Tree();
                                                return tree->SelectedNode().data(Qt::DisplayRole).toString();
                                            },
                                            [this] { return playlists_->qryList().RecordCount(); },
                                            [this] { return playlists_->qryList().CurrentName(); },
                                            [this] { actions_.value("aStop")->trigger(); }},
                          this);
    dialog.exec();
}
