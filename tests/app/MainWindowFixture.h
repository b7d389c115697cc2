#pragma once

#include "support/ScriptedMsgDlg.h"
#include "app/utMain.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A program folder in a temporary folder, with or without the delivered catalogue, and the main window
// started from it with a scripted message box.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QByteArray programFolder() const { return QFile::encodeName(dir.path()) + "/"; }
    QString catalogueFile() const { return dir.path() + "/KIROCustomList.mdb"; }

    void deliverCatalogue()
    {
        ASSERT_TRUE(QFile::copy(QStringLiteral(MELVANE_BUILT_CATALOGUE), catalogueFile()));
        QFile::setPermissions(catalogueFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // Starts the window; msg stays valid for the window's life.
    void start(bool show = true) { startWith({}, show); }

    // Starts the window with these services and the scripted message box.
    void startWith(TwinMain::Services services, bool show = true)
    {
        auto scripted = std::make_unique<ScriptedMsgDlg>();
        msg = scripted.get();
        services.msgDlg = std::move(scripted);
        win = std::make_unique<TwinMain>(programFolder() + "MelvaneKIRO", std::move(services));
        if (show) {
            win->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(win.get()));
        }
    }

    void TearDown() override { win.reset(); }

    QTemporaryDir dir;
    std::unique_ptr<TwinMain> win;
    ScriptedMsgDlg* msg = nullptr;
};
