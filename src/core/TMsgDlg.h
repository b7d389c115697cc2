#pragma once

#include "MsgDlg.h"

class QWidget;

// The real message boxes, modal over the given parent.
class TMsgDlg final : public IMsgDlg {
public:
    explicit TMsgDlg(QWidget* parent) : parent_(parent) {}

    MsgResult Show(const QString& text, MsgKind kind, MsgButtons buttons) override;
    void ShowLayerError(const QString& text) override;
    void ShowStandardError(const QString& text) override;

private:
    QWidget* parent_;
};
