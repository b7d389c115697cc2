#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// How a test drives a real modal dialog: what it types and clicks once the dialog shows.
using ModalDrive = std::function<void(QWidget*)>;

// Acts on the next modal dialog as soon as it shows, from the event loop that runs it: call this
// before the code that opens the dialog. The act must close it; a dialog that never shows fails the
// test instead of hanging it.
inline void WhenModal(ModalDrive act, int timeoutMs = 5000)
{
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act = std::move(act), timeoutMs] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog != nullptr && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal dialog showed";
        }
    });
    timer->start(5);
}

// The same for an act that works on the dialog as a QDialog.
inline void WhenModalDialogShows(std::function<void(QDialog&)> act, int timeoutMs = 5000)
{
    WhenModal(
        [act = std::move(act)](QWidget* widget) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            ASSERT_NE(dialog, nullptr) << "the modal window is no dialog";
            act(*dialog);
        },
        timeoutMs);
}

// Runs open (which shows a modal dialog and returns when it closes) with drive acting on that dialog;
// fails the test when open() returned without one.
inline void DriveModal(const std::function<void()>& open, ModalDrive drive, int timeoutMs = 5000)
{
    auto ran = std::make_shared<bool>(false);
    WhenModal(
        [ran, drive = std::move(drive)](QWidget* dialog) {
            *ran = true;
            drive(dialog);
        },
        timeoutMs);
    open();
    EXPECT_TRUE(*ran) << "open() returned without a modal dialog";
}

// For actions that must show nothing: a dialog that shows anyway is closed and fails the test.
class NoModalGuard {
public:
    NoModalGuard()
    {
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "unexpected dialog " << dialog->objectName().toStdString();
                dialog->close();
            }
        });
        timer_.start(5);
    }

private:
    QTimer timer_;
};
