#include "TMainPlayDisplay.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>
#include <QWindow>

TMainPlayDisplay::TMainPlayDisplay(Controls controls, std::function<QWidget*()> activeFileList,
                                   std::function<void()> stopAction, std::function<void()> changed)
    : c_(controls), activeFileList_(std::move(activeFileList)), stopAction_(std::move(stopAction)),
      changed_(std::move(changed))
{
}

QString TMainPlayDisplay::ActiveListHint() const
{
    const QWidget* list = activeFileList_();
    return list != nullptr ? list->property("hint").toString() : QString();
}

void TMainPlayDisplay::SetNowPlaying(const QString& text)
{
    c_.edtCurrPlay->setText(text);
    changed_();
}

void TMainPlayDisplay::SetAppTitle(const QString& text)
{
    // The task bar shows the main window's frame: its caption stays, and dialogs keep their own titles.
    if (QWindow* frame = c_.edtCurrPlay->window()->windowHandle())
        frame->setTitle(text);
}

void TMainPlayDisplay::SetLengthText(const QString& text)
{
    c_.lblLength->setText(text);
    changed_();
}

void TMainPlayDisplay::SetProgressMin(int value)
{
    c_.trbProgress->setMinimum(value);
}

void TMainPlayDisplay::SetProgressMax(int value)
{
    c_.trbProgress->setMaximum(value);
}

void TMainPlayDisplay::SetProgressValue(int value)
{
    c_.trbProgress->setValue(value);
}

void TMainPlayDisplay::SetTimerOn(bool on)
{
    if (on)
        c_.tmMain->start();
    else
        c_.tmMain->stop();
    changed_();
}

bool TMainPlayDisplay::TimerOn() const
{
    return c_.tmMain->isActive();
}

void TMainPlayDisplay::ProcessPendingEvents()
{
    QCoreApplication::processEvents();
}

void TMainPlayDisplay::RunStopAction()
{
    stopAction_();
}

void TMainPlayDisplay::ShowStatus(const QString& text)
{
    c_.sbpStatus->setText(text);
}
