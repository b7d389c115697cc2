#pragma once

#include <QByteArray>
#include <QString>

class IDocumentOpener;
class IFileOpUi;
class QWidget;

// The file operations every sorting action goes through. Each runs one job in the given window's
// progress dialog and returns its result: 0 when the operation ran, another value when it failed or
// was cancelled. A caller that needs to know what happened to each item checks the items on disk.
// sourceList: NUL-separated full paths (see SourceList.h); destination: one folder for every item.
int ShellCopyFiles(IFileOpUi& ui, QWidget* owner, const QByteArray& destination, const QByteArray& sourceList,
                   const QString& title);
int ShellMoveFiles(IFileOpUi& ui, QWidget* owner, const QByteArray& destination, const QByteArray& sourceList,
                   const QString& title);
// To the trash, after the job's own question.
int ShellDeleteFiles(IFileOpUi& ui, QWidget* owner, const QByteArray& sourceList, const QString& title);

// Hands one file to the program the desktop opens it with; what happens then is the desktop's.
void ShellOpen(IDocumentOpener& opener, QWidget* owner, const QByteArray& path);
