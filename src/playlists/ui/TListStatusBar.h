#pragma once

#include "core/TPanelStatusBar.h"

// The status bar sbList under the entry view: two panels of 120 pixels, the number of entries and the
// number of selected entries.
class TListStatusBar final : public TPanelStatusBar {
    Q_OBJECT

public:
    explicit TListStatusBar(QWidget* parent = nullptr)
        : TPanelStatusBar({120, 120}, QStringLiteral("sbpList"), parent) {}

    void SetPanelText(int panel, const QString& text) { ShowPanelText(panel, text); }
};
