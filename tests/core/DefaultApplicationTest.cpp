#include "core/DefaultApplication.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <unistd.h>

TEST(DefaultApplication, FollowsTheUsersMimeAppsListForFilesAndSchemes)
{
    // The generic desktop: xdg-mime reads the lists itself (and finds no session bus to ask at once).
    for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
        ::unsetenv(name);
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent", 1);
    const TempFolder dir;
    const QByteArray help = dir.MakeFile("KIROHelp.chm", "ITSF");
    const QStringList helpTypes = HandlerTypes(help);
    ASSERT_TRUE(helpTypes.contains(QStringLiteral("application/vnd.ms-htmlhelp")));
    EXPECT_FALSE(helpTypes.contains(QStringLiteral("application/octet-stream")));
    const QStringList mailTypes = HandlerTypes("mailto:someone@example.org");
    EXPECT_EQ(mailTypes, QStringList{QStringLiteral("x-scheme-handler/mailto")});
    EXPECT_EQ(DefaultApplication(mailTypes), QString());

    // A desktop entry counts only when its program exists.
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    const QByteArray entries = qgetenv("XDG_DATA_HOME") + "/applications";
    ASSERT_TRUE(TempFolder::WriteBytes(config + "/mimeapps.list",
                                       "[Default Applications]\n"
                                       "x-scheme-handler/mailto=test-gone.desktop\n"
                                       "application/vnd.ms-htmlhelp=test-viewer.desktop;\n"));
    dir.MakeFile("entries/test-viewer.desktop", "[Desktop Entry]\nType=Application\nName=T\nExec=true %u\n");
    dir.MakeFile("entries/test-gone.desktop", "[Desktop Entry]\nType=Application\nName=G\nExec=no-such-viewer %f\n");
    ASSERT_EQ(::symlink(dir.At("entries").constData(), entries.constData()), 0);
    EXPECT_EQ(DefaultApplication(mailTypes), QString());
    EXPECT_EQ(DefaultApplication(helpTypes), QStringLiteral("test-viewer.desktop"));
    ::unlink(entries.constData());
    ::unlink((config + "/mimeapps.list").constData());
}

TEST(DefaultApplication, TheWindowsThreadNeverWaitsForTheAnswer)
{
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent", 1);
    const QStringList types{QStringLiteral("x-scheme-handler/melvane-nothing")};
    KnownApplications& known = KnownApplications::Shared();
    EXPECT_EQ(known.Answer(types), std::nullopt);
    QElapsedTimer clock;
    clock.start();
    known.AskAhead(types);
    EXPECT_LT(clock.elapsed(), 100);
    while (!known.Answer(types) && clock.elapsed() < 20000)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(known.Answer(types), std::optional<QString>(QString())) << "asked once, kept";
}
