// The main window started on a Desktop of 100,000 tagged MP3 files, until it is
// shown and painted, against the same start on an empty Desktop, in alternating rounds.
// Prints the median ratio last (goal 1.5).
#include "app/utMain.h"
#include "panes/BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <sys/stat.h>

namespace {

constexpr int kFiles = 100000;
constexpr int kRounds = 5;

// Builds the window on this Desktop and shows it; returns the nanoseconds it took.
double startOn(const QByteArray& desktop, const QByteArray& programFile)
{
    ::setenv("XDG_DESKTOP_DIR", desktop.constData(), 1);
    QElapsedTimer clock;
    clock.start();
    auto window = std::make_unique<TwinMain>(programFile);
    window->show();
    // Painted once, as the user first sees it; what the event loop does after that is not start-up.
    window->repaint();
    const double took = static_cast<double>(clock.nsecsElapsed());
    QCoreApplication::processEvents();
    window.reset();
    return took;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    QTemporaryDir dir;
    const QByteArray root = dir.path().toUtf8() + "/";
    // The user's folders in the temporary folder, never the real home.
    for (const char* sub : {"home", "home/.config", "home/.local", "home/.local/share", "program", "empty", "big"})
        ::mkdir((root + sub).constData(), 0700);
    ::setenv("HOME", (root + "home").constData(), 1);
    ::setenv("XDG_CONFIG_HOME", (root + "home/.config").constData(), 1);
    ::setenv("XDG_DATA_HOME", (root + "home/.local/share").constData(), 1);
    QApplication app(argc, argv);
    if (!QFile::copy(QStringLiteral(MELVANE_BUILT_CATALOGUE), QFile::decodeName(root + "program/KIROCustomList.mdb"))) {
        std::fprintf(stderr, "no catalogue at %s\n", MELVANE_BUILT_CATALOGUE);
        return 1;
    }
    MakeTaggedFolder(root + "big/", kFiles);
    const QByteArray program = root + "program/MelvaneKIRO";
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        const double empty = startOn(root + "empty", program);
        const double big = startOn(root + "big", program);
        std::printf("round %d: empty Desktop %.1f ms, 100,000 files %.1f ms\n", round, empty / 1e6, big / 1e6);
        ratios.push_back(big / empty);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("ratio=%.2f goal=1.5\n", ratios[ratios.size() / 2]);
    return 0;
}
