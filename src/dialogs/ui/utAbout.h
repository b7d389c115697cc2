#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// The About dialog: product name, version, two pictures that swap on double click, our note and the
// page of shortcuts.
class TwinAbout final : public QDialog {
    Q_OBJECT

public:
    explicit TwinAbout(QWidget* parent = nullptr);

    void FormShow();
    void Image1DblClick();
    void Image2DblClick();
    void btnOkClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildAboutPage();
    QWidget* BuildHotkeyPage();

    bool shown_ = false;
    QTabWidget* pcAbout_ = nullptr;
    QLabel* Image1_ = nullptr;
    QLabel* Image2_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QPlainTextEdit* memNote_ = nullptr;
    QPlainTextEdit* memHotkey_ = nullptr;
    QPushButton* btnOk_ = nullptr;
};
