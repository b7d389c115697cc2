// The mouse on the progress bar, double click and Enter in the file lists.
#include "core/ListRows.h"
#include "TTransport.h"
#include "core/DocumentOpener.h"
#include "player/TransportRules.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QSlider>

namespace {

// A left click puts the handle where the pointer is and drags it from there, instead of paging
// towards it; other buttons leave the bar alone.
class JumpToClickStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_Slider_AbsoluteSetButtons)
            return Qt::LeftButton;
        if (hint == SH_Slider_PageSetButtons)
            return Qt::NoButton;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

constexpr char16_t kEnter = 13;

} // namespace

void TTransport::ConnectInput()
{
    auto* style = new JumpToClickStyle;
    style->setParent(window_.trbProgress);
    window_.trbProgress->setStyle(style);
    window_.trbProgress->installEventFilter(this);

    connect(lists_.lvSource, &QAbstractItemView::doubleClicked, this, &TTransport::lvSourceDblClick);
    connect(lists_.lvTarget, &QAbstractItemView::doubleClicked, this, &TTransport::lvTargetDblClick);
    connect(lists_.lvListDetail, &QAbstractItemView::doubleClicked, this, &TTransport::lvListDetailDblClick);
    for (QAbstractItemView* list : {lists_.lvSource, lists_.lvTarget, lists_.lvListDetail})
        list->installEventFilter(this);
}

bool TTransport::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_.trbProgress) {
        // The second press of a double click is a press too.
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            trbProgressMouseDown(mouse->button(), mouse->modifiers(), mouse->position().toPoint());
        } else if (event->type() == QEvent::MouseButtonRelease) {
            // The bar takes the release first, so that the handler reads where the user let go.
            QObject* bar = window_.trbProgress;
            bar->event(event);
            const auto* mouse = static_cast<QMouseEvent*>(event);
            trbProgressMouseUp(mouse->button(), mouse->modifiers(), mouse->position().toPoint());
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const QChar typed = enter ? QChar(kEnter) : key->text().isEmpty() ? QChar() : key->text().front();
        if (watched == lists_.lvSource)
            lvSourceKeyPress(typed);
        else if (watched == lists_.lvTarget)
            lvTargetKeyPress(typed);
        else if (watched == lists_.lvListDetail)
            lvListDetailKeyPress(typed);
    }
    return false;
}

// Pressing pauses, so that the file stands still while the user looks for the place.
void TTransport::trbProgressMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, const QPoint&)
{
    if (button != Qt::LeftButton)
        return;
    if (mp3_.GetState() == 1) {
        SetTimerOn(false);
        mp3_.Pause();
    } else if (media_.Mode() == MediaMode::Playing) {
        SetTimerOn(false);
        media_.Pause();
    }
}

// Letting go plays on from the bar's place, also when the user had paused.
void TTransport::trbProgressMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, const QPoint&)
{
    if (button != Qt::LeftButton)
        return;
    const int value = window_.trbProgress->value();
    if (mp3_.GetState() == 2) {
        mp3_.Seek(value);
        mp3_.Pause();
        SetTimerOn(true);
    } else if (media_.Mode() == MediaMode::Paused) {
        media_.Seek(value);
        media_.Play();
        SetTimerOn(true);
    } else {
        return;
    }
    Reprepare();  // the seek dropped what was prepared
    emit Seeked();
}

void TTransport::lvSourceDblClick()
{
    DblClick(lists_.lvSource, head_.SourcePath);
}

void TTransport::lvTargetDblClick()
{
    DblClick(lists_.lvTarget, head_.TargetPath);
}

void TTransport::lvListDetailDblClick()
{
    DblClick(lists_.lvListDetail, QByteArray());
}

// A playable file plays (from the focused list); any other opens with its own program.
void TTransport::DblClick(QAbstractItemView* list, const QByteArray& folder)
{
    const int row = SelectedRow(list);
    if (row < 0)
        return;
    const QByteArray file = FileOf(list, row, folder);
    if (IsPlayableFile(file))
        aPlayExecute();
    else
        opener_.Open(file);
}

void TTransport::lvSourceKeyPress(QChar key)
{
    if (key == QChar(kEnter))
        lvSourceDblClick();
}

void TTransport::lvTargetKeyPress(QChar key)
{
    if (key == QChar(kEnter))
        lvTargetDblClick();
}

void TTransport::lvListDetailKeyPress(QChar key)
{
    if (key == QChar(kEnter))
        lvListDetailDblClick();
}
