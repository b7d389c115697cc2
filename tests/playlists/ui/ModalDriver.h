#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Acts on the next modal dialog as soon as it shows. The act must close it; a dialog that never shows
// fails the test instead of hanging it.
inline void WhenModal(std::function<void(QWidget*)> act, int timeoutMs = 5000)
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
