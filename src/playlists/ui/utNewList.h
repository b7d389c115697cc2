#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>

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
    // The entries a new list is created with.
    void SetNewEntries(const QList<QByteArray>& entries) { NewEntries_ = entries; }
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
    QList<QByteArray> NewEntries_;
    QLineEdit* edtListName_ = nullptr;
    QPlainTextEdit* edtListMemo_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};
