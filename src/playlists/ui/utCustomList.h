#pragma once

#include "playlists/TListQuery.h"

#include <QDialog>

class IMsgDlg;
class QPushButton;
class TListGrid;

// The chooser of a play list, over its own query: moving in it leaves the main window's current list.
class TwinCustomList final : public QDialog {
    Q_OBJECT

public:
    TwinCustomList(TPlaylistStore& store, IMsgDlg& msg, QWidget* parent = nullptr);

    // The chosen list's identifier; empty unless OK was pressed on a row.
    const QString& ChosenListId() const { return ChosenListId_; }

    TListGrid* dbgList() const { return dbgList_; }
    QPushButton* btnOk() const { return btnOk_; }
    QPushButton* btnCancel() const { return btnCancel_; }

    void btnOkClick();
    void btnCancelClick();

private:
    void FormCreate(IMsgDlg& msg);

    TListQuery qryList_;
    QString ChosenListId_;
    TListGrid* dbgList_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};
