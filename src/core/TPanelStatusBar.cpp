#include "TPanelStatusBar.h"

#include <QLabel>

TPanelStatusBar::TPanelStatusBar(std::initializer_list<int> widths, const QString& panelName, QWidget* parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (const int width : widths) {
        auto* panel = new QLabel(this);
        panel->setObjectName(panelName + QString::number(panels_.size()));
        panel->setFixedWidth(width);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        addWidget(panel);
        panels_.append(panel);
    }
}

void TPanelStatusBar::ShowPanelText(int panel, const QString& text)
{
    if (panel >= 0 && panel < panels_.size())
        panels_[panel]->setText(text);
}

QString TPanelStatusBar::PanelText(int panel) const
{
    return panel >= 0 && panel < panels_.size() ? panels_[panel]->text() : QString();
}
