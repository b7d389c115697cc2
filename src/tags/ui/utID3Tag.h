#pragma once

#include "TagFields.h"

#include <QByteArray>
#include <QDialog>

#include <array>

class IMsgDlg;
class QLabel;
class QLineEdit;
class QPushButton;

// The tag dialog (winID3Tag): the five text fields of an MP3 file's ID3v1 tag, which 修改 writes into
// the file. A fresh one for every file; after it has closed, Modified() and Texts() tell the caller
// what was written.
class TwinID3Tag final : public QDialog {
    Q_OBJECT

public:
    TwinID3Tag(IMsgDlg& msg, QWidget* owner);

    const QByteArray& FileName() const { return FileName_; }
    void SetFileName(const QByteArray& fileName) { FileName_ = fileName; }
    // Fills the edits with the tag's field texts.
    void SetTag(const ID3v1Tag& tag);

    QLineEdit* Edit(TagField field) const { return edits_[Index(field)]; }
    QPushButton* btnModify() const { return btnModify_; }
    QPushButton* btnClose() const { return btnClose_; }

    // Whether 修改 wrote the tag; then Texts() are the texts it wrote.
    bool Modified() const { return modified_; }
    TagTexts Texts() const;

    void btnModifyClick();
    void btnCloseClick();

private:
    void ShowRefusal(TagField field);

    IMsgDlg& msg_;
    QByteArray FileName_;
    TagTexts readTexts_;
    bool modified_ = false;
    std::array<QLineEdit*, kTagFieldCount> edits_ {};
    QLabel* lblHint_ = nullptr;
    QPushButton* btnModify_ = nullptr;
    QPushButton* btnClose_ = nullptr;
};
