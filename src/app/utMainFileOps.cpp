// The file sorter of the folder page: its actions, and the keys, mouse, drags and edits of the
// pane lists.
#include "fileops/ui/TFileOpUi.h"
#include "fileops/ui/TFileSorter.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"
#include "panes/ui/TPaneStatusBar.h"
#include "playlists/TListQuery.h"
#include "playlists/ui/TListDetailView.h"
#include "utMain.h"

#include <QAction>
#include <QDropEvent>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTimer>

void TwinMain::BuildFileOps(std::unique_ptr<IFileOpUi> fileOpUi)
{
    fileOpUi_ = fileOpUi ? std::move(fileOpUi) : std::make_unique<TFileOpUi>();
    const auto sortPane = [this](TFolderPane* pane) {
        SortPane sort;
        sort.list = pane->List();
        sort.tree = pane->Tree();
        sort.treeText = [pane] { return pane->Tree()->SelectedNode().data(Qt::DisplayRole).toString(); };
        sort.treeFolder = [pane] { return pane->Tree()->SelectedPath(); };
        sort.refreshNames = [pane](const QByteArray& folder, const QSet<QByteArray>& names) {
            pane->RefreshNames(folder, names);
        };
        sort.updateStatus = [pane] { pane->lvSourceSelectItem(); };
        sort.activate = [this, pane] { SetActivePane(pane->List(), pane->Tree(), pane->StatusBar()); };
        return sort;
    };
    sorter_ = std::make_unique<TFileSorter>(FileSorterContext{
        Head_, *MsgDlg_, *fileOpUi_, *opener_, this, sortPane(pnlSource_), sortPane(pnlTarget_),
        SortPlaylist{lvListDetail_, [this] { return qryList()->RecordCount(); },
                     [this] { return qryList()->CurrentName(); }},
        [this] { return pcMain_->currentIndex(); }, [this] { actions_.value("aStop")->trigger(); },
        [this] { return ActiveFileList_; }, [this] { return ActiveTree_; },
        [this] { actions_.value("aFileDelete")->trigger(); }, [this] { actions_.value("aFileRename")->trigger(); }});

    TFileSorter* sorter = sorter_.get();
    const std::pair<const char*, void (TFileSorter::*)()> handlers[] = {
        {"aFileCopy", &TFileSorter::aFileCopyExecute},     {"aFileCut", &TFileSorter::aFileCutExecute},
        {"aFileDelete", &TFileSorter::aFileDeleteExecute}, {"aFileRename", &TFileSorter::aFileRenameExecute},
        {"aFileOpen", &TFileSorter::aFileOpenExecute},     {"aSelectAll", &TFileSorter::aSelectAllExecute},
        {"aReverseSel", &TFileSorter::aReverseSelExecute},
    };
    for (const auto& [name, handler] : handlers)
        connect(actions_.value(QString::fromLatin1(name)), &QAction::triggered, sorter, [sorter, handler] {
            (sorter->*handler)();
        });

    for (TFolderPane* pane : {pnlSource_, pnlTarget_}) {
        TFileListView* list = pane->List();
        const bool isSource = pane == pnlSource_;
        connect(list, &TFileListView::MousePressed, sorter, [sorter, list] { sorter->lvSourceMouseDown(list); });
        connect(list, &TFileListView::KeyDown, sorter, [sorter, list](QKeyEvent* event) {
            if (sorter->lvSourceKeyDown(list, event->key()))
                event->accept();
        });
        connect(list, &TFileListView::CaptionEdited, sorter,
                [sorter, list](int row, const QString& text) { sorter->lvSourceEdited(list, row, text); });
        connect(list, &TFileListView::StartDrag, sorter, [sorter, list] { sorter->lvSourceStartDrag(list); });
        connect(list, &TFileListView::EndDrag, sorter, [sorter, list] { sorter->lvSourceEndDrag(list); });
        connect(list, &TFileListView::DragOver, sorter, [sorter, isSource](QDragMoveEvent* event) {
            event->setAccepted(isSource ? sorter->lvSourceDragOver(event->source())
                                        : sorter->lvTargetDragOver(event->source()));
        });
        // The move runs once the drag has ended, outside the drag's own event loop.
        connect(list, &TFileListView::Dropped, sorter, [sorter, isSource](QDropEvent*) {
            QTimer::singleShot(0, sorter, [sorter, isSource] {
                isSource ? sorter->lvSourceDragDrop() : sorter->lvTargetDragDrop();
            });
        });
        connect(pane->Tree(), &TFolderTree::DragOver, sorter,
                [sorter](QDragMoveEvent* event) { event->setAccepted(sorter->dtvSourceDragOver(event->source())); });
    }
}
