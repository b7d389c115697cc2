#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

// Acts on the next modal dialog once it shows, from the event loop that runs it: call this
// before the code that opens the dialog. The dialog must be closed by `act`.
inline void WhenModalDialogShows(std::function<void(QDialog&)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(*dialog);
    });
    poll->start();
}
