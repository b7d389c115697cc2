#pragma once

#include "core/utHead.h"

#include <QByteArray>
#include <QDialog>
#include <QList>

#include <functional>

class IFileOpUi;
class IFolderChooser;
class IMsgDlg;
class QAbstractItemView;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;
class TPlaylistStore;

// What the main window hands the target-folders dialog. The lists give each row's bytes under
// kNameBytesRole: a file name in lvSource, a full path in lvListDetail.
struct TargetListContext {
    THead& head;
    IMsgDlg& msg;
    IFileOpUi& fileOps;
    IFolderChooser& chooser;
    TPlaylistStore& store;   // keeps the used target folders
    std::function<int()> tabIndex;
    QAbstractItemView* lvSource = nullptr;
    QAbstractItemView* lvListDetail = nullptr;
    std::function<QString()> sourceTreeText;                 // shown name of the source tree's folder
    std::function<int()> listCount;                          // rows of the query of play lists
    std::function<QString()> listName;                       // name of the current play list
    std::function<void()> stop;                              // the stop action
};

// The used target folders: copies or moves the selected files to any folder, and remembers each
// folder that received files this way.
class TwinTargetList final : public QDialog {
    Q_OBJECT

public:
    explicit TwinTargetList(TargetListContext context, QWidget* parent = nullptr);

    void FormShow();
    void btnBrowseClick();
    void dbgListDblClick();
    void btnDeleteClick();
    void btnDelAllClick();
    void btnCopyClick();
    void btnCutClick();
    void btnCloseClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OpenTable();
    int CurrentRow() const;
    // Trims the field and gives the folder's bytes; empty when the field is.
    QByteArray ChosenFolder();
    void SetTarget(const QByteArray& path);
    void Inform(const char* text);
    // The folder tab's checks before a copy or move: selected rows, a folder, not the source pane's
    // own; false after telling the user what is missing.
    bool SourceReady(const QList<int>& rows, const QByteArray& folder, const char* selectFiles);
    // Keeps the folder once after a transfer, then closes.
    void RememberAndClose(const QByteArray& folder);

    TargetListContext c_;
    // The folder last put into the field from the chooser or the list, while the field shows it.
    QByteArray picked_;
    QLineEdit* edtCurr_ = nullptr;
    QTableView* dbgList_ = nullptr;
    QStandardItemModel* tblTargetList_ = nullptr;
    QPushButton* btnBrowse_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    QPushButton* btnDelAll_ = nullptr;
    QPushButton* btnCopy_ = nullptr;
    QPushButton* btnCut_ = nullptr;
    QPushButton* btnClose_ = nullptr;
};
