// The tag actions: the tag dialog, renaming files after their tag titles, and tags to Unicode.
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "tags/ui/TTagController.h"
#include "tags/ui/TUnicodeTags.h"
#include "utMain.h"

#include <QAction>
#include <QTabWidget>

void TwinMain::BuildTags()
{
    TTagController::Window window;
    window.owner = this;
    window.sbpStatus = sbpStatus_;
    window.pageIndex = [this] { return pcMain_->currentIndex(); };
    window.stop = [this] { actions_.value("aStop")->trigger(); };
    window.activeList = [this] {
        TTagController::ActiveList list;
        list.view = qobject_cast<QAbstractItemView*>(ActiveFileList_);
        for (TFolderPane* pane : {pnlSource_, pnlTarget_}) {
            if (ActiveFileList_ != pane->List())
                continue;
            list.folderPane = true;
            list.folder = pane->CurrentFolder();
            list.setCell = [pane](int row, int column, const QString& text) {
                pane->ListModel().SetCell(row, column, text);
            };
            list.refreshNames = [pane](const QSet<QByteArray>& names) {
                pane->RefreshNames(pane->CurrentFolder(), names);
            };
        }
        return list;
    };
    // Owned by its connection, which lives as long as the window.
    auto unicode = std::make_shared<TUnicodeTags>(*MsgDlg_, window);
    tags_ = std::make_unique<TTagController>(Head_, *MsgDlg_, std::move(window));
    connect(actions_.value("aFileTag"), &QAction::triggered, this, [this] { tags_->aFileTagExecute(); });
    connect(actions_.value("aT2N"), &QAction::triggered, this, [this] { tags_->aT2NExecute(); });
    connect(actions_.value("aUnicodeTag"), &QAction::triggered, this, [unicode] { unicode->aUnicodeTagExecute(); });
}
