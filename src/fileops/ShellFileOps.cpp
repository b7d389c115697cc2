#include "ShellFileOps.h"

#include "FileOpUi.h"
#include "TFileOpJob.h"
#include "core/DocumentOpener.h"

int ShellCopyFiles(IFileOpUi& ui, QWidget* owner, const QByteArray& destination, const QByteArray& sourceList,
                   const QString& title)
{
    TFileOpJob job(FileOpKind::Copy, sourceList, destination);
    return ui.Run(owner, title, job);
}

int ShellMoveFiles(IFileOpUi& ui, QWidget* owner, const QByteArray& destination, const QByteArray& sourceList,
                   const QString& title)
{
    TFileOpJob job(FileOpKind::Move, sourceList, destination);
    return ui.Run(owner, title, job);
}

int ShellDeleteFiles(IFileOpUi& ui, QWidget* owner, const QByteArray& sourceList, const QString& title)
{
    TFileOpJob job(FileOpKind::Trash, sourceList);
    return ui.Run(owner, title, job);
}

void ShellOpen(IDocumentOpener& opener, QWidget*, const QByteArray& path)
{
    opener.Open(path);
}
