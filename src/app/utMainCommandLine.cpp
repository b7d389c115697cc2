// Files named on the command line, of this start or of a later one handed over.
#include "CommandLine.h"
#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"
#include "panes/ui/TPaneStatusBar.h"
#include "panes/WildcardMask.h"
#include "player/ui/TTransport.h"
#include "utMain.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QTabWidget>

#include <algorithm>

namespace {

// A file given from outside is shown whatever type the box was left on: a mask that hides one of
// them gives way to every type, as the user would have to choose by hand.
void ShowTypesOf(QComboBox* box, const QList<QByteArray>& names)
{
    const QByteArray mask = box->currentText().toUtf8();
    if (std::all_of(names.begin(), names.end(), [&](const QByteArray& name) { return MatchesMask(name, mask); }))
        return;
    // The listing that follows is the one the new mask asks for.
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(box->findText(QStringLiteral("*.*")));
}

} // namespace

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
    const bool shown = files.folder == Head_.SourcePath;
    if (!shown && !pnlSource_->Tree()->SelectPath(files.folder))
        return;
    ShowTypesOf(pnlSource_->FileTypeBox(), files.names);
    // The folder shown already is listed again: the file may be new in it.
    if (shown)
        pnlSource_->FillFileList();
    else
        pnlSource_->dtvSourceClick();
    // The files are chosen among the whole folder, once its listing has ended.
    pnlSource_->WhenListed([this, names = files.names] {
        if (pnlSource_->SelectNames(names) == 0)
            return;
        pnlSource_->List()->setFocus();
        SetActivePane(pnlSource_->List(), pnlSource_->Tree(), pnlSource_->StatusBar());
        transport_->PlaySourceSelection();
    });
}
