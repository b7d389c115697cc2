// Files named on the command line, of this start or of a later one handed over.
#include "CommandLine.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"
#include "panes/ui/TPaneStatusBar.h"
#include "player/ui/TTransport.h"
#include "utMain.h"

#include <QTabWidget>

void TwinMain::BringToFront()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TwinMain::ShowCommandLine(const CommandLine& line)
{
    BringToFront();
    OpenFiles(AbsolutePaths(line));
}

void TwinMain::OpenFiles(const QList<QByteArray>& paths)
{
    const FilesToOpen files = FilesInFolderOfFirst(paths);
    if (files.folder.isEmpty())
        return;
    pcMain_->setCurrentIndex(0);
    // The folder shown already is listed again: the file may be new in it.
    if (files.folder == Head_.SourcePath)
        pnlSource_->FillFileList();
    else if (pnlSource_->Tree()->SelectPath(files.folder))
        pnlSource_->dtvSourceClick();
    else
        return;
    // The files are chosen among the whole folder, once its listing has ended.
    pnlSource_->WhenListed([this, names = files.names] {
        if (pnlSource_->SelectNames(names) == 0)
            return;
        pnlSource_->List()->setFocus();
        SetActivePane(pnlSource_->List(), pnlSource_->Tree(), pnlSource_->StatusBar());
        transport_->PlaySourceSelection();
    });
}
