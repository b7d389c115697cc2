#include "TMainPlayDisplay.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>

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
    QGuiApplication::setApplicationDisplayName(text);
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
