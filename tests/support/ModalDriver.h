#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Drives a real modal dialog: while the code under test sits in the dialog's exec(), the driver waits
// for the modal widget to be shown and hands it to a callback that types and clicks. A dialog the
// callback leaves open is closed after the time-out, and the test fails instead of hanging.
class ModalDriver {
public:
    using Drive = std::function<void(QWidget*)>;

    explicit ModalDriver(Drive drive, int timeoutMs = 5000)
        : state_(std::make_unique<State>())
    {
        state_->drive = std::move(drive);
        state_->timeoutMs = timeoutMs;
        state_->clock.start();
        timer_.setInterval(10);
        state_->timer = &timer_;
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [state = state_.get()] { Poll(*state); });
        timer_.start();
    }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Whether the callback has run on a dialog.
    bool Ran() const { return state_->ran; }
    // The dialog the callback ran on (null when it has not run, or once that dialog is gone).
    QWidget* Dialog() const { return state_->dialog; }

private:
    struct State {
        Drive drive;
        int timeoutMs = 0;
        QElapsedTimer clock;
        QTimer* timer = nullptr;
        bool ran = false;
        bool busy = false;
        QPointer<QWidget> dialog;
    };

    static void Poll(State& state)
    {
        if (state.busy)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (state.ran) {
            state.timer->stop();
            return;
        }
        if (modal != nullptr && modal->isVisible()) {
            state.busy = true;
            state.ran = true;
            state.dialog = modal;
            state.drive(modal);
            state.busy = false;
            return;
        }
        if (state.clock.elapsed() > state.timeoutMs) {
            state.timer->stop();
            ADD_FAILURE() << "no modal dialog appeared";
        }
    }

    std::unique_ptr<State> state_;
    QTimer timer_;
};

// Runs open (which shows a modal dialog and returns when it closes) with drive acting on that dialog;
// fails the test when no dialog came up or when the dialog is still open after the time-out.
inline void DriveModal(const std::function<void()>& open, const ModalDriver::Drive& drive, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    ModalDriver driver(drive, timeoutMs);
    QTimer watchdog;
    watchdog.setInterval(50);
    bool failed = false;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || clock.elapsed() <= timeoutMs + 1000)
            return;
        if (!failed)
            ADD_FAILURE() << "the modal dialog stayed open";
        failed = true;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    watchdog.start();
    open();
    EXPECT_TRUE(driver.Ran()) << "open() returned without a modal dialog";
}
