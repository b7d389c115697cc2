// The keyboard across the two folder panes.
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"
#include "utMain.h"

void TwinMain::BuildPanes()
{
    // Tab walks tree, path field, type box and list of the source pane, then those of the target pane.
    setTabOrder(pnlSource_->List(), pnlTarget_->Tree());
    // The user starts in the source list, not in the read-only now-playing field.
    pnlSource_->List()->setFocus();
}
