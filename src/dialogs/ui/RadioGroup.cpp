#include "RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        // A group short of room may give an item less than the style's padding, never less than its text.
        const QFontMetrics metrics = button->fontMetrics();
        button->setMinimumHeight(std::max(metrics.height(), metrics.boundingRect(items[i]).height()));
        buttons_->addButton(button, i);
        layout->addWidget(button);
    }
}

int TRadioGroup::ItemIndex() const
{
    return buttons_->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton* button = buttons_->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group never lets its last checked button go.
    buttons_->setExclusive(false);
    for (QAbstractButton* button : buttons_->buttons())
        button->setChecked(false);
    buttons_->setExclusive(true);
}
