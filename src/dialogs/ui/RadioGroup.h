#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

// A framed group of radio buttons chosen by item index; -1 means no item is chosen.
class TRadioGroup final : public QGroupBox {
    Q_OBJECT

public:
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int ItemIndex() const;
    // An index outside the items chooses none.
    void SetItemIndex(int index);

private:
    QButtonGroup* buttons_;
};
