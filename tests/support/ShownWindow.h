#pragma once

#include <QCoreApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

// Shows the main window as the program does and lets it read its first folders, which
// it does in the turn of the event loop after it has appeared.
inline void ShowMainWindow(QWidget& window)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);
}
