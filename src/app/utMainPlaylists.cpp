// The play list page: the controller of the play lists and the actions, pop-ups and views it serves.
#include "playlists/ui/TFileChooser.h"
#include "playlists/ui/TListDetailView.h"
#include "playlists/ui/TListGrid.h"
#include "playlists/ui/TListStatusBar.h"
#include "playlists/ui/TPlaylists.h"
#include "utMain.h"

#include <QAction>
#include <QMenu>

void TwinMain::BuildPlaylists(std::unique_ptr<IFileChooser> chooser)
{
    fileChooser_ = chooser ? std::move(chooser) : std::make_unique<TFileChooser>();
    const auto action = [this](const char* name) { return actions_.value(QLatin1String(name)); };
    QMenu* fileList = popups_.value("pmFileList");
    QMenu* list = popups_.value("pmList");
    QMenu* detail = popups_.value("pmListDetail");
    TPlaylists::Controls controls{this,
                                  pcMain_,
                                  dbgList_,
                                  lvListDetail_,
                                  sbList_,
                                  action("aListEdit"),
                                  action("aListDelete"),
                                  action("aListScan"),
                                  action("aListAddFile"),
                                  action("aFileTag"),
                                  fileList->findChild<QAction*>("pmiFileAdd2New"),
                                  fileList->findChild<QAction*>("pmiFileAdd2Old"),
                                  action("aFileDelete")};
    TPlaylists::Hooks hooks{[this] { return qobject_cast<QAbstractItemView*>(ActiveFileList_); },
                            [this] { SetActivePane(lvListDetail_, ActiveTree_, sbList_); },
                            [this] { aStopExecute(); }};
    playlists_ = std::make_unique<TPlaylists>(dbconMain_.Database(), Head_, *MsgDlg_, *fileChooser_, controls,
                                              std::move(hooks));

    TPlaylists* p = playlists_.get();
    const QList<std::pair<const char*, void (TPlaylists::*)()>> handlers = {
        {"aListNew", &TPlaylists::aListNewExecute},       {"aListEdit", &TPlaylists::aListEditExecute},
        {"aListDelete", &TPlaylists::aListDeleteExecute}, {"aListAddFile", &TPlaylists::aListAddFileExecute},
        {"aListUp", &TPlaylists::aListUpExecute},         {"aListDown", &TPlaylists::aListDownExecute},
        {"aListScan", &TPlaylists::aListScanExecute},     {"aFileDelete", &TPlaylists::aFileDeleteExecute},
    };
    for (const auto& [name, handler] : handlers)
        connect(action(name), &QAction::triggered, p, handler);
    connect(detail->findChild<QAction*>("pmiListRefresh"), &QAction::triggered, p, &TPlaylists::pmiListRefreshClick);
    connect(controls.pmiFileAdd2New, &QAction::triggered, p, &TPlaylists::pmiFileAdd2NewClick);
    connect(controls.pmiFileAdd2Old, &QAction::triggered, p, &TPlaylists::pmiFileAdd2OldClick);
    connect(list, &QMenu::aboutToShow, p, &TPlaylists::pmListPopup);
    connect(fileList, &QMenu::aboutToShow, p, &TPlaylists::pmFileListPopup);
    connect(dbgList_, &QWidget::customContextMenuRequested, this,
            [this, list](const QPoint& at) { list->popup(dbgList_->viewport()->mapToGlobal(at)); });
    connect(lvListDetail_, &QWidget::customContextMenuRequested, this,
            [this, detail](const QPoint& at) { detail->popup(lvListDetail_->viewport()->mapToGlobal(at)); });
}

bool TwinMain::OpenListQuery()
{
    const Result opened = playlists_->OpenListQuery();
    if (!opened.ok)
        MsgDlg_->ShowLayerError(opened.error);
    return opened.ok;
}

TListQuery* TwinMain::qryList() const
{
    return &playlists_->qryList();
}

bool TwinMain::ListQueryOpen() const
{
    return playlists_->qryList().IsOpen();
}
