#pragma once

#include "support/ShownWindow.h"
#include "support/DeliveredCatalogue.h"
#include "support/RecordingOpener.h"
#include "support/ScriptedMsgDlg.h"
#include "app/utMain.h"

#include <gtest/gtest.h>

#include <QTest>

// The main window started from a program folder in a temporary folder, with the delivered catalogue,
// a scripted message box and a recording document opener.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.IsValid()); }

    // folderName: the program folder's last component, any bytes.
    void start(const QByteArray& folderName = "prog")
    {
        programFolder = dir.MakeDir(folderName) + "/";
        ASSERT_FALSE(DeliverCatalogue(programFolder).isEmpty());
        auto scripted = std::make_unique<ScriptedMsgDlg>();
        auto recording = std::make_unique<RecordingOpener>();
        msg = scripted.get();
        opener = recording.get();
        TwinMain::Services services;
        services.msgDlg = std::move(scripted);
        services.opener = std::move(recording);
        win = std::make_unique<TwinMain>(programFolder + "MelvaneKIRO", std::move(services));
        ASSERT_NO_FATAL_FAILURE(ShowMainWindow(*win));
        win->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(win.get()));
    }

    void TearDown() override { win.reset(); }

    TempFolder dir;
    QByteArray programFolder;
    std::unique_ptr<TwinMain> win;
    ScriptedMsgDlg* msg = nullptr;
    RecordingOpener* opener = nullptr;
};
