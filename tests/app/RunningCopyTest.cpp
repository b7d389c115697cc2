// One running copy per user: a later start hands its command line over, and nobody else gets it or
// holds a start up.
#include "app/CommandLine.h"
#include "app/TRunningCopy.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QtEndian>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const CommandLine kLine{"/home/\xd2\xf4", {"\xd2\xf4\xc0\xd6.mp3", "/m/a b.mp3"}};
constexpr uid_t kNobody = 65534;

QString socketIn(const TempFolder& dir)
{
    return QString::fromUtf8(dir.At("copy"));
}

QByteArray bigEndian(quint32 number)
{
    const quint32 big = qToBigEndian(number);
    return QByteArray(reinterpret_cast<const char*>(&big), sizeof big);
}

// The handover_probe run as nobody; what it printed.
QByteArray asNobody(const QStringList& arguments, const QByteArray& runtime = {})
{
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromUtf8(runtime));
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral("setpriv"), QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                                      QStringLiteral("--clear-groups"),
                                                      QStringLiteral(MELVANE_HANDOVER_PROBE)}
                                              + arguments);
    EXPECT_TRUE(probe.waitForFinished(10000));
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().constData();
    return probe.readAllStandardOutput();
}

} // namespace

TEST(RunningCopy, TheFirstStartListensAndALaterOneHandsItsCommandLineOver)
{
    TempFolder dir;
    dir.MakeFile("copy", "left over by a copy that ended");
    TRunningCopy first(socketIn(dir));
    ASSERT_FALSE(first.HandOver({"/", {}}));
    ASSERT_TRUE(first.Listening());
    QSignalSpy arrived(&first, &TRunningCopy::CommandLineArrived);

    TRunningCopy later(socketIn(dir));
    EXPECT_TRUE(later.HandOver(kLine));
    EXPECT_FALSE(later.Listening());
    ASSERT_TRUE(arrived.wait());
    EXPECT_EQ(arrived.at(0).at(0).value<CommandLine>(), kLine);
}

TEST(RunningCopy, OversizedAndSilentClientsAreDroppedWhileAHandOverGoesThrough)
{
    TempFolder dir;
    TRunningCopy first(socketIn(dir));
    ASSERT_FALSE(first.HandOver({"/", {}}));
    QSignalSpy arrived(&first, &TRunningCopy::CommandLineArrived);

    QLocalSocket silent, oversized;
    for (QLocalSocket* client : {&silent, &oversized}) {
        client->connectToServer(socketIn(dir));
        ASSERT_TRUE(client->waitForConnected());
    }
    QSignalSpy silentEnded(&silent, &QLocalSocket::disconnected);
    QSignalSpy oversizedEnded(&oversized, &QLocalSocket::disconnected);
    // A working folder said to be 2 MiB long.
    oversized.write(bigEndian(1) + bigEndian(2 * 1024 * 1024));
    ASSERT_TRUE(oversized.waitForBytesWritten());
    QElapsedTimer clock;
    clock.start();

    TRunningCopy later(socketIn(dir));
    EXPECT_TRUE(later.HandOver(kLine));
    ASSERT_TRUE(arrived.wait());
    EXPECT_EQ(arrived.at(0).at(0).value<CommandLine>(), kLine);
    EXPECT_TRUE(!oversizedEnded.isEmpty() || oversizedEnded.wait());
    EXPECT_TRUE(silentEnded.wait(5000));
    EXPECT_GE(clock.elapsed(), 1900);
    EXPECT_EQ(arrived.size(), 1);
}

TEST(RunningCopySocket, LiesInAFolderOnlyTheUserMayEnter)
{
    const QByteArray runtimeBefore = qgetenv("XDG_RUNTIME_DIR"), cacheBefore = qgetenv("XDG_CACHE_HOME");
    TempFolder dir;
    const QByteArray runtime = dir.MakeDir("runtime", 0700), cache = dir.MakeDir("cache", 0755);
    const QString uid = QString::number(::geteuid());
    qputenv("XDG_RUNTIME_DIR", runtime);
    qputenv("XDG_CACHE_HOME", cache);
    EXPECT_EQ(RunningCopySocket(), QString::fromUtf8(runtime) + "/melvanekiro-" + uid);

    // A runtime folder that others may enter is passed over for a private one in the cache folder.
    const QString own = QString::fromUtf8(cache) + "/melvanekiro/melvanekiro-" + uid;
    ASSERT_EQ(::chmod(runtime.constData(), 0755), 0);
    EXPECT_EQ(RunningCopySocket(), own);
    struct stat st {};
    ASSERT_EQ(::stat((cache + "/melvanekiro").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(RunningCopySocket(), own);

    // A folder open to others or a link in its place: no socket at all.
    ASSERT_EQ(::chmod((cache + "/melvanekiro").constData(), 0711), 0);
    EXPECT_EQ(RunningCopySocket(), QString());
    ASSERT_EQ(::rmdir((cache + "/melvanekiro").constData()), 0);
    ASSERT_EQ(::symlink(dir.MakeDir("elsewhere", 0700).constData(), (cache + "/melvanekiro").constData()), 0);
    EXPECT_EQ(RunningCopySocket(), QString());

    qputenv("XDG_RUNTIME_DIR", runtimeBefore);
    qputenv("XDG_CACHE_HOME", cacheBefore);
}

TEST(RunningCopy, AnotherUsersSocketOrLockGetsNoPathAndHoldsNoStartUp)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "the other user is root, the start is nobody's";
    TempFolder dir;
    ASSERT_EQ(::chmod(dir.Path().constData(), 0755), 0);
    if (QProcess::execute(QStringLiteral("setpriv"), {QStringLiteral("--reuid=65534"), QStringLiteral("--clear-groups"),
                                                      QStringLiteral("test"), QStringLiteral("-x"),
                                                      QStringLiteral(MELVANE_HANDOVER_PROBE)})
        != 0)
        GTEST_SKIP() << "nobody cannot run the test programs here";

    // Runtime folders of nobody's own, where root listens first or holds the lock.
    const QByteArray squatted = dir.MakeDir("squatted", 0700), locked = dir.MakeDir("locked", 0700);
    for (const QByteArray& folder : {squatted, locked})
        ASSERT_EQ(::chown(folder.constData(), kNobody, kNobody), 0);
    QLocalServer squatter;
    squatter.setSocketOptions(QLocalServer::WorldAccessOption);
    ASSERT_TRUE(squatter.listen(QString::fromUtf8(squatted + "/melvanekiro-65534")));
    QLockFile foreignLock(QString::fromUtf8(locked + "/melvanekiro-65534.lock"));
    ASSERT_TRUE(foreignLock.tryLock(0));
    for (const QByteArray& runtime : {squatted, locked}) {
        const QList<QByteArray> said = asNobody({QStringLiteral("start"), QStringLiteral("/music/secret.mp3")}, runtime)
                                           .trimmed()
                                           .split(' ');
        ASSERT_EQ(said.size(), 3) << runtime.constData();
        EXPECT_EQ(said[0] + ' ' + said[1], "own window");
        EXPECT_LT(said[2].toInt(), 1000);
    }
    ASSERT_TRUE(squatter.waitForNewConnection(1000));
    QLocalSocket* connection = squatter.nextPendingConnection();
    EXPECT_FALSE(connection->waitForReadyRead(200));
    EXPECT_EQ(connection->bytesAvailable(), 0);

    // And the other way: what nobody sends to root's copy is not taken.
    const QByteArray folder = dir.MakeDir("root", 0755);
    TRunningCopy first(QString::fromUtf8(folder + "/copy"));
    ASSERT_FALSE(first.HandOver({"/", {}}));
    ASSERT_EQ(::chmod((folder + "/copy").constData(), 0777), 0);
    QSignalSpy arrived(&first, &TRunningCopy::CommandLineArrived);
    asNobody({QStringLiteral("send"), QString::fromUtf8(folder + "/copy")});
    EXPECT_FALSE(arrived.wait(500));
    TRunningCopy later(QString::fromUtf8(folder + "/copy"));
    EXPECT_TRUE(later.HandOver(kLine));
    ASSERT_TRUE(arrived.wait());
    EXPECT_EQ(arrived.size(), 1);
}
