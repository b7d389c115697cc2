// The window on a session bus of its own (the test runs under dbus-run-session), driven by playerctl
// as media keys and sound menus drive it.
#include "PlayWindowFixture.h"

#include "player/TMp3Play.h"
#include "tags/ID3v1Tag.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QSlider>

#include <cstring>

namespace {

// The PropertiesChanged signals of the player, as another program on the bus sees them.
class Announcements final : public QObject {
    Q_OBJECT

public:
    Announcements() : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("watcher")))
    {
        bus_.connect(QString(), QStringLiteral("/org/mpris/MediaPlayer2"), QStringLiteral("org.freedesktop.DBus.Properties"),
                     QStringLiteral("PropertiesChanged"), this, SLOT(Changed(QString, QVariantMap, QStringList)));
    }
    ~Announcements() override { QDBusConnection::disconnectFromBus(QStringLiteral("watcher")); }

    // Waits (answering the bus meanwhile) until a PropertiesChanged has told name; its value. What
    // was told before is forgotten then.
    QVariant Told(const QString& name)
    {
        const QDeadlineTimer cap(20000);
        while (!told_.contains(name) && !cap.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const QVariant value = told_.value(name);
        told_.clear();
        return value;
    }

    // A method of the root interface, answered while the window's events go on.
    void Call(const QString& method)
    {
        QDBusPendingCallWatcher call(bus_.asyncCall(QDBusMessage::createMethodCall(
            QStringLiteral("org.mpris.MediaPlayer2.melvanekiro"), QStringLiteral("/org/mpris/MediaPlayer2"),
            QStringLiteral("org.mpris.MediaPlayer2"), method)));
        QEventLoop loop;
        QObject::connect(&call, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        loop.exec();
        EXPECT_FALSE(call.isError()) << call.error().message().toStdString();
    }

private slots:
    void Changed(const QString& interface, const QVariantMap& changed, const QStringList&)
    {
        if (interface == QLatin1String("org.mpris.MediaPlayer2.Player"))
            told_.insert(changed);
    }

private:
    QDBusConnection bus_;
    QVariantMap told_;
};

class MprisFromWindow : public PlayWindowFixture {
protected:
    // cbr.mp3 with an ID3v1 tag of GBK title and artist.
    void putTagged(const QByteArray& name, const char* title, const char* artist)
    {
        put(name, "cbr.mp3");
        ID3v1Tag tag{};
        ClearID3Tag(tag);
        std::memcpy(tag.Title, title, std::strlen(title));
        std::memcpy(tag.Artist, artist, std::strlen(artist));
        QFile file(QFile::decodeName(folder + name));
        ASSERT_TRUE(file.open(QIODevice::Append));
        ASSERT_EQ(file.write(reinterpret_cast<const char*>(&tag), sizeof tag), qint64{sizeof tag});
    }

    // playerctl on the window's player; the window answers the bus while it runs.
    QString playerctl(const QStringList& arguments)
    {
        QProcess process;
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
        process.start(QStringLiteral("playerctl"), QStringList{QStringLiteral("--player=melvanekiro")} + arguments);
        loop.exec();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    QString status() const { return control<QLabel>("sbpStatus")->text(); }
};

TEST_F(MprisFromWindow, PlayerctlDrivesTheTransportAndHearsWhatChanges)
{
    putTagged("a.mp3", "\xd2\xf4\xc0\xd6", "\xb8\xe8\xca\xd6");  // 音乐, 歌手
    put("b.wav", "tone.wav");
    startListing();
    Announcements announcements;
    select({0});

    playerctl({QStringLiteral("play-pause")});
    EXPECT_EQ(win->Head().PlayingFile, folder + "a.mp3");
    EXPECT_EQ(win->Mp3Play().GetState(), 1);
    EXPECT_EQ(announcements.Told(QStringLiteral("PlaybackStatus")), QStringLiteral("Playing"));
    EXPECT_EQ(playerctl({QStringLiteral("metadata"), QStringLiteral("--format"), QStringLiteral("{{title}}|{{artist}}")}),
              QStringLiteral("音乐|歌手"));

    outputs->Advance(1000);
    EXPECT_NEAR(playerctl({QStringLiteral("position")}).toDouble(), 1.0, 0.05);

    playerctl({QStringLiteral("play-pause")});
    EXPECT_EQ(win->Mp3Play().GetState(), 2);
    EXPECT_EQ(status(), QStringLiteral("暂停播放……"));
    EXPECT_EQ(announcements.Told(QStringLiteral("PlaybackStatus")), QStringLiteral("Paused"));

    // Next and previous go round the list as the buttons do, moving the selection.
    playerctl({QStringLiteral("next")});
    EXPECT_EQ(win->Head().PlayingFile, folder + "b.wav");
    EXPECT_EQ(selectedRows(), QList<int>{1});
    const QVariant metadata = announcements.Told(QStringLiteral("Metadata"));
    EXPECT_EQ(qdbus_cast<QVariantMap>(metadata.value<QDBusArgument>()).value("xesam:title"), QStringLiteral("b.wav"));
    playerctl({QStringLiteral("next")});
    EXPECT_EQ(win->Head().PlayingFile, folder + "a.mp3");
    playerctl({QStringLiteral("previous")});
    EXPECT_EQ(win->Head().PlayingFile, folder + "b.wav");

    playerctl({QStringLiteral("stop")});
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    EXPECT_EQ(status(), QStringLiteral("停止播放。"));
    EXPECT_EQ(announcements.Told(QStringLiteral("PlaybackStatus")), QStringLiteral("Stopped"));
}

TEST_F(MprisFromWindow, VolumeGoesBothWaysAndQuitClosesTheWindow)
{
    startListing();
    Announcements announcements;
    auto* bar = control<QSlider>("trbVolume");
    playerctl({QStringLiteral("volume"), QStringLiteral("0.2")});
    EXPECT_EQ(bar->value(), 51);
    EXPECT_NEAR(announcements.Told(QStringLiteral("Volume")).toDouble(), 0.2, 0.001);
    bar->setValue(255);
    EXPECT_EQ(playerctl({QStringLiteral("volume")}).toDouble(), 1.0);

    announcements.Call(QStringLiteral("Raise"));
    EXPECT_TRUE(win->isVisible());
    announcements.Call(QStringLiteral("Quit"));
    const QDeadlineTimer cap(20000);
    while (win->isVisible() && !cap.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_FALSE(win->isVisible());
}

} // namespace

#include "MprisFromWindowTest.moc"
