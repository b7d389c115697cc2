#pragma once

#include "support/RecordingOpener.h"
#include "support/ScriptedMsgDlg.h"
#include "app/utMain.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The main window started from a program folder in a temporary folder, with the delivered catalogue,
// a scripted message box and a recording document opener.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // folderName: the program folder's last component, any bytes.
    void start(const QByteArray& folderName = "prog")
    {
        programFolder = QFile::encodeName(dir.path()) + "/" + folderName + "/";
        ASSERT_EQ(::mkdir(programFolder.constData(), 0755), 0);
        QFile built(QStringLiteral(MELVANE_BUILT_CATALOGUE));
        ASSERT_TRUE(built.open(QIODevice::ReadOnly));
        const QByteArray content = built.readAll();
        const QByteArray copy = programFolder + "KIROCustomList.mdb";
        const int fd = ::open(copy.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, content.constData(), size_t(content.size())), content.size());
        ::close(fd);
        auto scripted = std::make_unique<ScriptedMsgDlg>();
        auto recording = std::make_unique<RecordingOpener>();
        msg = scripted.get();
        opener = recording.get();
        TwinMain::Services services;
        services.msgDlg = std::move(scripted);
        services.opener = std::move(recording);
        win = std::make_unique<TwinMain>(programFolder + "MelvaneKIRO", std::move(services));
        win->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(win.get()));
        win->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(win.get()));
    }

    void TearDown() override
    {
        win.reset();
        if (!programFolder.isEmpty())
            removeProgramFolder();
    }

    // QTemporaryDir cannot remove a folder whose name is not UTF-8, so the program folder goes by its bytes.
    void removeProgramFolder()
    {
        if (DIR* d = ::opendir(programFolder.constData())) {
            while (const dirent* entry = ::readdir(d)) {
                const QByteArray name(entry->d_name);
                if (name == "." || name == "..")
                    continue;
                const QByteArray path = programFolder + name;
                if (::unlink(path.constData()) != 0)
                    ::rmdir(path.constData());
            }
            ::closedir(d);
        }
        EXPECT_EQ(::rmdir(programFolder.constData()), 0);
    }

    QTemporaryDir dir;
    QByteArray programFolder;
    std::unique_ptr<TwinMain> win;
    ScriptedMsgDlg* msg = nullptr;
    RecordingOpener* opener = nullptr;
};
