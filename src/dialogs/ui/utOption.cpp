#include "utOption.h"

#include "RadioGroup.h"
#include "core/MsgDlg.h"
#include "panes/ui/PaneFont.h"
#include "store/OptionStore.h"
#include "store/TCatalogue.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

namespace {

QCheckBox* checkBox(const char* name, const QString& caption, QWidget* page, int y)
{
    auto* box = new QCheckBox(caption, page);
    box->setObjectName(QLatin1String(name));
    box->move(24, y);
    box->adjustSize();
    return box;
}

QPushButton* button(const char* name, const QString& caption, QWidget* dialog, int x)
{
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(x, 296, 75, 25);
    button->setAutoDefault(false);
    return button;
}

// A group at least as large as designed, larger where the style's frame needs more room.
void place(QWidget* group, int y, int height)
{
    const QSize hint = group->sizeHint();
    group->setGeometry(24, y, std::max(150, hint.width()), std::max(height, hint.height()));
}

} // namespace

TwinOption::TwinOption(THead& head, TCatalogue& catalogue, IMsgDlg& msgDlg, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      head_(head), catalogue_(catalogue), msgDlg_(msgDlg)
{
    setObjectName("winOption");
    setWindowTitle(QStringLiteral("设置选项"));
    QFont font = PaneFont();
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(421, 355);

    pcOption_ = new QTabWidget(this);
    pcOption_->setObjectName("pcOption");
    pcOption_->setGeometry(0, 0, 421, 289);
    pcOption_->addTab(BuildFilePage(), QStringLiteral("文件"));
    pcOption_->addTab(BuildPlayPage(), QStringLiteral("播放"));

    // Placed one by one: a button box would arrange them by the style's order and spacing.
    btnDefault_ = button("btnDefault", QStringLiteral("默认设置"), this, 32);
    btnOk_ = button("btnOk", QStringLiteral("确定"), this, 216);
    btnCancel_ = button("btnCancel", QStringLiteral("取消"), this, 304);
    connect(btnOk_, &QPushButton::clicked, this, &TwinOption::btnOkClick);
    connect(btnCancel_, &QPushButton::clicked, this, &TwinOption::btnCancelClick);
    connect(btnDefault_, &QPushButton::clicked, this, &TwinOption::btnDefaultClick);

    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

QWidget* TwinOption::BuildFilePage()
{
    // Made inside the dialog, so that the groups are measured with the dialog's font.
    auto* page = new QWidget(this);
    page->setObjectName("tsFile");
    ckbConfirmation_ = checkBox("ckbConfirmation", QStringLiteral("复制或剪切文件时提示"), page, 16);
    ckbShowSH_ = checkBox("ckbShowSH", QStringLiteral("显示系统和隐藏文件"), page, 48);
    rgSize_ = new TRadioGroup(QStringLiteral("文件大小单位"),
                              {QStringLiteral("千字节(KB)"), QStringLiteral("兆字节(MB)")}, page);
    rgSize_->setObjectName("rgSize");
    place(rgSize_, 80, 65);
    rgT2FMode_ = new TRadioGroup(QStringLiteral("TAG音乐名到文件名模式"),
                                 {QStringLiteral("不附加艺术家名"), QStringLiteral("艺术家名在音乐名前"),
                                  QStringLiteral("音乐名在艺术家名前")},
                                 page);
    rgT2FMode_->setObjectName("rgT2FMode");
    place(rgT2FMode_, 160, 89);
    return page;
}

QWidget* TwinOption::BuildPlayPage()
{
    auto* page = new QWidget(this);
    page->setObjectName("tsPlay");
    ckbContinuous_ = checkBox("ckbContinuous", QStringLiteral("连续播放"), page, 16);
    return page;
}

void TwinOption::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FitGroups();
        FormShow();
    }
}

void TwinOption::FitGroups()
{
    // Where a CJK font sets the height of every line (a Chinese locale), a group may need more room than
    // its page has below it: it ends at the page's edge and its items share the room.
    for (QWidget* group : std::initializer_list<QWidget*> {rgSize_, rgT2FMode_}) {
        const int room = group->parentWidget()->height() - group->y() - 2;
        if (group->height() > room)
            group->resize(group->width(), room);
    }
}

void TwinOption::FormShow()
{
    SetControls(OptionValuesOf(head_));
}

OptionValues TwinOption::ControlValues() const
{
    OptionValues values;
    values.confirmation = ckbConfirmation_->isChecked();
    values.showHideSys = ckbShowSH_->isChecked();
    values.continuous = ckbContinuous_->isChecked();
    values.sizeIndex = rgSize_->ItemIndex();
    values.t2fIndex = rgT2FMode_->ItemIndex();
    return values;
}

void TwinOption::SetControls(const OptionValues& values)
{
    ckbConfirmation_->setChecked(values.confirmation);
    ckbShowSH_->setChecked(values.showHideSys);
    ckbContinuous_->setChecked(values.continuous);
    rgSize_->SetItemIndex(values.sizeIndex);
    rgT2FMode_->SetItemIndex(values.t2fIndex);
}

void TwinOption::btnOkClick()
{
    ApplyOptionValues(ControlValues(), head_);
    // With a catalogue that can only be read the values hold for this run; the user heard so at start.
    const OptionResult saved = catalogue_.IsReadOnly() ? OptionResult{} : SaveOptions(catalogue_.Database(), head_);
    if (!saved.ok()) {
        msgDlg_.ShowLayerError(saved.error);
        return;
    }
    accept();
}

void TwinOption::btnCancelClick()
{
    reject();
}

void TwinOption::btnDefaultClick()
{
    if (msgDlg_.Show(QStringLiteral("恢复为默认设置吗？"), MsgKind::Confirmation, MsgButtons::YesNo) != MsgResult::Yes)
        return;
    SetControls(DefaultOptionValues());
}

bool TwinOption::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool TwinOption::FormKeyDown(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    btnCancelClick();
    return true;
}
