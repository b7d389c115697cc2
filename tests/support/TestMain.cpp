// Runs the tests headless, with HOME and the XDG folders in a temporary folder,
// so that no test touches the real home folder or trash.
#include <gtest/gtest.h>

#ifdef MELVANE_GUI_TEST
#include <QApplication>
#endif
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace {

void pointHomeInto(const QTemporaryDir& dir)
{
    const QByteArray root = QFile::encodeName(dir.path());
    const auto set = [&](const char* name, const char* sub) {
        const QByteArray path = root + sub;
        QDir().mkpath(QFile::decodeName(path));
        ::setenv(name, path.constData(), 1);
    };
    set("HOME", "/home");
    set("XDG_DATA_HOME", "/home/.local/share");
    set("XDG_CONFIG_HOME", "/home/.config");
    set("XDG_CACHE_HOME", "/home/.cache");
    set("XDG_STATE_HOME", "/home/.local/state");
    set("XDG_RUNTIME_DIR", "/runtime");
    QFile::setPermissions(QFile::decodeName(root + "/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ::setenv("XDG_DESKTOP_DIR", (root + "/home/Desktop").constData(), 1);
    QDir().mkpath(QFile::decodeName(root + "/home/Desktop"));
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    if (!home.isValid())
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
