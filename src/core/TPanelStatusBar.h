#pragma once

#include <QList>
#include <QStatusBar>

#include <initializer_list>

class QLabel;

// A status bar of sunken panels of fixed widths, named panelName followed by their index.
class TPanelStatusBar : public QStatusBar {
    Q_OBJECT

public:
    TPanelStatusBar(std::initializer_list<int> widths, const QString& panelName, QWidget* parent);

    int Panels() const { return int(panels_.size()); }
    // A panel outside the bar is left alone.
    void ShowPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;

private:
    QList<QLabel*> panels_;
};
