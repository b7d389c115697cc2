#pragma once

#include <QDialog>

class IMsgDlg;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TListQuery;

// The dialog that creates a play list (mode 0) or edits the current one (mode 1) in the list query.
class TwinNewList final : public QDialog {
    Q_OBJECT

public:
    TwinNewList(TListQuery& lists, IMsgDlg& msg, QWidget* parent = nullptr);

    void SetDialogMode(int mode) { DialogMode_ = mode; }
    int DialogMode() const { return DialogMode_; }
    // The identifier of the list this dialog created; empty otherwise.
    const QString& NewListId() const { return NewListId_; }

    QLineEdit* edtListName() const { return edtListName_; }
    QPlainTextEdit* edtListMemo() const { return edtListMemo_; }
    QPushButton* btnOk() const { return btnOk_; }
    QPushButton* btnCancel() const { return btnCancel_; }

    void btnOkClick();
    void btnCancelClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void limitMemo();

    TListQuery& lists_;
    IMsgDlg& msg_;
    int DialogMode_ = 0;
    QString NewListId_;
    QLineEdit* edtListName_ = nullptr;
    QPlainTextEdit* edtListMemo_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};
