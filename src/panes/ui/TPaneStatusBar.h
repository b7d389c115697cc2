#pragma once

#include "core/TPanelStatusBar.h"
#include "panes/PaneStatus.h"

// A pane's status bar (sbSource / sbTarget): three panels of 120, 120 and 150
// pixels with the tab orders 0, 1 and 2.
class TPaneStatusBar final : public TPanelStatusBar, public IStatusPanels {
    Q_OBJECT

public:
    explicit TPaneStatusBar(QWidget* parent = nullptr)
        : TPanelStatusBar({120, 120, 150}, QStringLiteral("sbp"), parent) {}

    int PanelCount() const override { return Panels(); }
    int PanelTabOrder(int panel) const override { return panel; }
    void SetPanelText(int panel, const QString& text) override { ShowPanelText(panel, text); }
};
