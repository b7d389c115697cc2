#pragma once

#include "panes/PaneStatus.h"

#include <QList>
#include <QStatusBar>

class QLabel;

// A pane's status bar (sbSource / sbTarget): three panels of 120, 120 and 150
// pixels with the tab orders 0, 1 and 2.
class TPaneStatusBar final : public QStatusBar, public IStatusPanels {
    Q_OBJECT

public:
    explicit TPaneStatusBar(QWidget* parent = nullptr);

    int PanelCount() const override { return int(panels_.size()); }
    int PanelTabOrder(int panel) const override { return panel; }
    void SetPanelText(int panel, const QString& text) override;
    QString PanelText(int panel) const;

private:
    QList<QLabel*> panels_;
};
