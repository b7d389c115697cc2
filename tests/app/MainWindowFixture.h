#pragma once

#include "support/ShownWindow.h"
#include "support/DeliveredCatalogue.h"
#include "support/ScriptedFolderChooser.h"
#include "support/ScriptedMsgDlg.h"
#include "support/TempFolder.h"
#include "app/utMain.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

// A program folder in a temporary folder, with or without the delivered catalogue, and the main window
// started from it with a scripted message box and folder chooser.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.IsValid()); }

    QByteArray programFolder() const { return dir.Path() + "/"; }
    QString catalogueFile() const { return QFile::decodeName(programFolder() + kCatalogueName); }

    void deliverCatalogue() { ASSERT_FALSE(DeliverCatalogue(programFolder()).isEmpty()); }

    // Starts the window; msg and chooser stay valid for the window's life.
    void start(bool show = true) { startWith({}, show); }

    // Starts the window with these services, the scripted message box and folder chooser.
    void startWith(TwinMain::Services services, bool show = true)
    {
        auto scripted = std::make_unique<ScriptedMsgDlg>();
        msg = scripted.get();
        auto scriptedChooser = std::make_unique<ScriptedFolderChooser>();
        chooser = scriptedChooser.get();
        services.msgDlg = std::move(scripted);
        services.folderChooser = std::move(scriptedChooser);
        win = std::make_unique<TwinMain>(programFolder() + "MelvaneKIRO", std::move(services));
        if (show) {
            ASSERT_NO_FATAL_FAILURE(ShowMainWindow(*win));
        }
    }

    void TearDown() override { win.reset(); }

    TempFolder dir;
    std::unique_ptr<TwinMain> win;
    ScriptedMsgDlg* msg = nullptr;
    ScriptedFolderChooser* chooser = nullptr;
};
