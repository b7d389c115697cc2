#include "TPaneStatusBar.h"

#include <QLabel>

TPaneStatusBar::TPaneStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (const int width : {120, 120, 150}) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("sbp%1").arg(panels_.size()));
        panel->setFixedWidth(width);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        addWidget(panel);
        panels_.append(panel);
    }
}

void TPaneStatusBar::SetPanelText(int panel, const QString& text)
{
    if (panel >= 0 && panel < panels_.size())
        panels_[panel]->setText(text);
}

QString TPaneStatusBar::PanelText(int panel) const
{
    return panel >= 0 && panel < panels_.size() ? panels_[panel]->text() : QString();
}
