#pragma once

#include <QList>
#include <QStatusBar>

class QLabel;

// The status bar sbList under the entry view: two panels of 120 pixels, the number of entries and the
// number of selected entries.
class TListStatusBar final : public QStatusBar {
    Q_OBJECT

public:
    explicit TListStatusBar(QWidget* parent = nullptr);

    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;

private:
    QList<QLabel*> panels_;
};
