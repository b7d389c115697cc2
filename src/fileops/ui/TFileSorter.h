#pragma once

#include "core/utHead.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>

class IDocumentOpener;
class IFileOpUi;
class IMsgDlg;
class QAbstractItemView;
class QWidget;

// One folder pane as the file sorter sees it. The list's model gives each row's name bytes under
// kNameBytesRole and its caption as display text; it removes rows and takes new name bytes.
struct SortPane {
    QAbstractItemView* list = nullptr;
    QWidget* tree = nullptr;
    std::function<QString()> treeText;        // the shown name of the tree's selected folder
    std::function<QByteArray()> treeFolder;   // its path; empty when none is selected
    // Reads again just these entries of a folder, where the pane lists that folder.
    std::function<void(const QByteArray& folder, const QSet<QByteArray>& names)> refreshNames;
    std::function<void()> updateStatus;       // recounts the pane's status bar from its list
    std::function<void()> activate;           // makes this list the active one
};

// The play list page as the file sorter sees it: the entry view, whose rows give full paths under
// kNameBytesRole, and the list of play lists.
struct SortPlaylist {
    QAbstractItemView* entries = nullptr;
    std::function<int()> listCount;           // how many play lists there are
    std::function<QString()> listName;        // the name of the list shown
};

// What the main window hands the file sorter.
struct FileSorterContext {
    THead& head;
    IMsgDlg& msg;
    IFileOpUi& fileOps;
    IDocumentOpener& opener;
    QWidget* owner;
    SortPane source;
    SortPane target;
    SortPlaylist playlist;
    std::function<int()> tabIndex;
    std::function<void()> stop;               // the stop action
    std::function<QWidget*()> activeList;
    std::function<QWidget*()> activeTree;
    std::function<void()> deleteAction;       // triggers the delete action
    std::function<void()> renameAction;       // triggers the rename action
};

// The file-sorting handlers of the folder page: copy and move to the target folder, delete to the
// trash, rename in place, open, select, the keys and mouse of the pane lists, drag and drop.
// A QObject, so that the window's connections to it end when it goes.
class TFileSorter final : public QObject {
    Q_OBJECT

public:
    explicit TFileSorter(FileSorterContext context);

    // Copies the selected files of the source pane, or on the play list page the selected entries,
    // into the target pane's folder.
    void aFileCopyExecute();
    void aFileCutExecute();
    void aFileDeleteExecute();
    void aFileRenameExecute();
    void aFileOpenExecute();
    void aSelectAllExecute();
    void aReverseSelExecute();
    // The end of an in-place edit of a row's caption in either pane list.
    void lvSourceEdited(QAbstractItemView* list, int row, const QString& edited);
    // Del and F2 reaching a list (an open caption editor keeps them); true when the key was taken.
    bool lvSourceKeyDown(QAbstractItemView* list, int key);
    void lvSourceMouseDown(QAbstractItemView* list);

    void lvSourceStartDrag(QAbstractItemView* list);
    void lvSourceEndDrag(QAbstractItemView* list);
    // Whether a drag from `source` may drop here.
    bool lvSourceDragOver(const QObject* source) const;
    bool lvTargetDragOver(const QObject* source) const;
    bool dtvSourceDragOver(const QObject* source) const;
    void lvTargetDragDrop();
    void lvSourceDragDrop();

private:
    SortPane* PaneOf(const QWidget* list);
    const QByteArray& FolderOf(const SortPane& pane) const;
    // The list of the selected rows' paths; the stop action first when one of them plays.
    QByteArray SelectedSources(const SortPane& pane, bool stopPlaying);
    // Removes, from the last row up, the selected rows whose files are gone.
    void DropGoneRows(const SortPane& pane);
    bool ValidFolder(const QByteArray& folder) const;
    void CopyEntries();
    // The pane reads again the entries of these sources' names in the folder they went to.
    static void RefreshArrived(const SortPane& pane, const QByteArray& folder, const QByteArray& sources);
    void CopyToTarget(const QByteArray& sources, const QByteArray& destination, const QString& question,
                      const QString& title);
    void Inform(const char* text);
    void MoveBetween(SortPane& from, SortPane& to, const QString& title, const QString& question);
    void DropInto(SortPane& from, SortPane& to, const QString& title);

    FileSorterContext c_;
};
