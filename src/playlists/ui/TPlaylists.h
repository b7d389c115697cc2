#pragma once

#include "playlists/PlaylistRules.h"
#include "playlists/TListDetailModel.h"
#include "playlists/TListQuery.h"
#include "playlists/TPlaylistStore.h"
#include "core/utHead.h"

#include <QObject>

#include <functional>

class IFileChooser;
class IMsgDlg;
class QAbstractItemView;
class QAction;
class QTabWidget;
class TListDetailView;
class TListGrid;
class TListStatusBar;

// The play lists of the main window: the list of lists with its current list, the entries of the
// current list in the entry view, adding, ordering and removing entries, and the scan.
class TPlaylists final : public QObject {
    Q_OBJECT

public:
    struct Controls {
        QWidget* window = nullptr;  // owner of the dialogs
        QTabWidget* pcMain = nullptr;
        TListGrid* dbgList = nullptr;
        TListDetailView* lvListDetail = nullptr;
        TListStatusBar* sbList = nullptr;
        // Enabled or disabled when the pop-ups open.
        QAction* aListEdit = nullptr;
        QAction* aListDelete = nullptr;
        QAction* aListScan = nullptr;
        QAction* aListAddFile = nullptr;
        QAction* aFileTag = nullptr;
        QAction* pmiFileAdd2New = nullptr;
        QAction* pmiFileAdd2Old = nullptr;
        // Run by the Delete key in the entry view.
        QAction* aFileDelete = nullptr;
    };
    struct Hooks {
        std::function<QAbstractItemView*()> activeFileList;
        std::function<void()> activateEntryView;
        std::function<void()> stop;
    };

    TPlaylists(QSqlDatabase db, THead& head, IMsgDlg& msg, IFileChooser& chooser, Controls controls, Hooks hooks,
               QObject* parent = nullptr);

    TPlaylistStore& Store() { return store_; }
    TListQuery& qryList() { return qryList_; }
    TListDetailModel& Entries() { return entries_; }

    // Reads the lists once the connection is open; the first list's entries then show.
    Result OpenListQuery();

    void aListNewExecute();
    void aListEditExecute();
    void aListDeleteExecute();
    void pmListPopup();
    void qryListAfterScroll();

    void OpenListDetail(const QString& id);
    void FillListDetailView();
    bool SaveListDetail(const QString& id);

    void aListAddFileExecute();
    void aListUpExecute();
    void aListDownExecute();
    void pmiListRefreshClick();
    void pmiFileAdd2NewClick();
    void pmiFileAdd2OldClick();
    void pmFileListPopup();
    void lvListDetailClick();
    void lvListDetailSelectItem();
    void lvListDetailKeyDown();
    // The play list tab's half of the delete action: removes the selected entries after asking.
    void aFileDeleteExecute();
    void aListScanExecute();

private:
    bool onListTab() const;
    void qryListDetailAfterScroll();
    void moveEntry(MoveDirection direction);
    // The active pane list's folder and the names of its selected rows, from the top.
    QList<QByteArray> selectedPaneFiles() const;
    void removeEntries(const QList<int>& rows);
    void showError(const Result& r);

    THead& head_;
    IMsgDlg& msg_;
    IFileChooser& chooser_;
    Controls c_;
    Hooks hooks_;
    TPlaylistStore store_;
    TListQuery qryList_;
    TListDetailModel entries_;
    // What OpenListDetail read, until FillListDetailView shows it.
    QList<QByteArray> qryListDetail_;
};
