#pragma once

#include "dialogs/OptionValues.h"

#include <QDialog>

class IMsgDlg;
class QCheckBox;
class QPushButton;
class QTabWidget;
class TCatalogue;
class TRadioGroup;

// The options dialog: shows the program-wide options, takes them over and stores them on OK.
class TwinOption final : public QDialog {
    Q_OBJECT

public:
    TwinOption(THead& head, TCatalogue& catalogue, IMsgDlg& msgDlg, QWidget* parent = nullptr);

    void FormShow();
    void btnOkClick();
    void btnCancelClick();
    void btnDefaultClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildFilePage();
    QWidget* BuildPlayPage();
    OptionValues ControlValues() const;
    void SetControls(const OptionValues& values);
    // Keeps each group within its page once the page has its size.
    void FitGroups();
    // Esc closes the dialog wherever the focus is, before any control sees the key.
    bool FormKeyDown(QKeyEvent* event);

    THead& head_;
    TCatalogue& catalogue_;
    IMsgDlg& msgDlg_;
    bool shown_ = false;

    QTabWidget* pcOption_ = nullptr;
    QCheckBox* ckbConfirmation_ = nullptr;
    QCheckBox* ckbShowSH_ = nullptr;
    QCheckBox* ckbContinuous_ = nullptr;
    TRadioGroup* rgSize_ = nullptr;
    TRadioGroup* rgT2FMode_ = nullptr;
    QPushButton* btnDefault_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};
