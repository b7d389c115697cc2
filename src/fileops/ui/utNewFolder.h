#pragma once

#include <QByteArray>
#include <QDialog>

class IMsgDlg;
class QLineEdit;
class QPushButton;

// The new-folder dialog: the current folder, read-only, and the name of the folder to create in it.
// OK takes a name only when it is not empty and no folder of that name exists there yet.
class TwinNewFolder final : public QDialog {
    Q_OBJECT

public:
    // currentFolder: where the folder goes (empty when no tree has the focus).
    TwinNewFolder(IMsgDlg& msg, const QByteArray& currentFolder, QWidget* parent = nullptr);

    // True only when OK was accepted.
    bool Result() const { return result_; }
    // The trimmed name, as written back into its field.
    QString NewName() const;

    void btnOkClick();
    void btnCancelClick();

private:
    IMsgDlg& msg_;
    QByteArray currentFolder_;
    bool result_ = false;
    QLineEdit* edtCurrFolder_ = nullptr;
    QLineEdit* edtNewFolder_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};
