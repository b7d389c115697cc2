// Runs the tests headless, with HOME and the XDG folders in a temporary folder,
// so that no test touches the real home folder or trash.
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#ifdef MELVANE_GUI_TEST
#include <QApplication>
#endif
#include <QCoreApplication>

#include <cstdlib>

namespace {

void pointHomeInto(const TempFolder& dir)
{
    const auto set = [&](const char* name, const char* sub, mode_t mode = 0755) {
        ::setenv(name, dir.MakeDir(sub, mode).constData(), 1);
    };
    set("HOME", "home");
    set("XDG_DATA_HOME", "home/.local/share");
    set("XDG_CONFIG_HOME", "home/.config");
    set("XDG_CACHE_HOME", "home/.cache");
    set("XDG_STATE_HOME", "home/.local/state");
    set("XDG_RUNTIME_DIR", "runtime", 0700);
    set("XDG_DESKTOP_DIR", "home/Desktop");
}

} // namespace

int main(int argc, char** argv)
{
    const TempFolder home;
    if (!home.IsValid())
        return 2;
    pointHomeInto(home);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);

    testing::InitGoogleTest(&argc, argv);
#ifdef MELVANE_GUI_TEST
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
