#include "TListStatusBar.h"

#include <QLabel>

TListStatusBar::TListStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("sbpList%1").arg(i));
        panel->setFixedWidth(120);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        addWidget(panel);
        panels_.append(panel);
    }
}

void TListStatusBar::SetPanelText(int panel, const QString& text)
{
    if (panel >= 0 && panel < panels_.size())
        panels_[panel]->setText(text);
}

QString TListStatusBar::PanelText(int panel) const
{
    return panel >= 0 && panel < panels_.size() ? panels_[panel]->text() : QString();
}
