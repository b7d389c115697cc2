#include "TMpris.h"

#include "MprisAdaptors.h"
#include "TMainVolume.h"
#include "TTransport.h"
#include "core/utHead.h"
#include "tags/ColumnTexts.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>

#include <cmath>

namespace {
const QString kService = QStringLiteral("org.mpris.MediaPlayer2.melvanekiro");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
} // namespace

TMpris::TMpris(const THead& head, TTransport& transport, TMainVolume& volume, Window window, QObject* parent)
    : QObject(parent), head_(head), transport_(transport), volume_(volume), window_(std::move(window))
{
    new TMprisRoot(this);
    new TMprisPlayer(this);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.registerObject(kPath, this))
        return;
    if (!bus.registerService(kService)) {
        bus.unregisterObject(kPath);
        return;
    }
    registered_ = true;
    announced_ = Announced();
    // The transport says so before the players have acted: look once they have.
    announce_.setSingleShot(true);
    announce_.setInterval(0);
    connect(&announce_, &QTimer::timeout, this, &TMpris::Announce);
    const auto later = [this] { announce_.start(); };
    connect(&transport_, &TTransport::PlaybackChanged, this, later);
    connect(&volume_, &TMainVolume::VolumeChanged, this, later);
    // The selection and a length found at the end change without a word: the tick looks too.
    connect(transport_.tmMain(), &QTimer::timeout, this, later);
    connect(&transport_, &TTransport::Seeked, this, [this] { emit Seeked(Position()); });
}

TMpris::~TMpris()
{
    if (!registered_)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(kService);
    bus.unregisterObject(kPath);
}

void TMpris::PlayPause()
{
    if (transport_.PlaybackStatus() == QLatin1String("Stopped"))
        transport_.aPlayExecute();
    else
        transport_.aPauseExecute();
}

void TMpris::Play()
{
    const QString status = transport_.PlaybackStatus();
    if (status == QLatin1String("Stopped"))
        transport_.aPlayExecute();
    else if (status == QLatin1String("Paused"))
        transport_.aPauseExecute();
}

void TMpris::Pause()
{
    if (transport_.PlaybackStatus() == QLatin1String("Playing"))
        transport_.aPauseExecute();
}

void TMpris::Stop() { transport_.aStopExecute(); }
void TMpris::Next() { transport_.aNextExecute(); }
void TMpris::Previous() { transport_.aPriExecute(); }

void TMpris::Seek(qlonglong offsetUs)
{
    if (transport_.PlaybackStatus() == QLatin1String("Stopped"))
        return;
    if (const auto to = MprisSeekTarget(transport_.PositionUs(), transport_.LengthUs(), offsetUs))
        transport_.SeekTo(*to);
    else
        transport_.aNextExecute();
}

void TMpris::SetPosition(const QDBusObjectPath& track, qlonglong positionUs)
{
    if (track.path() != TrackId() || positionUs < 0 || positionUs > transport_.LengthUs())
        return;
    transport_.SeekTo(positionUs);
}

void TMpris::OpenUri(const QString& uri)
{
    const QByteArray path = MprisUriPath(uri);
    if (!path.isEmpty() && window_.open)
        window_.open(path);
}

qlonglong TMpris::Position() const { return transport_.PositionUs(); }

double TMpris::Volume() const { return volume_.Volume() / 255.0; }

void TMpris::SetVolume(double volume)
{
    if (const auto level = MprisVolumeLevel(volume))
        volume_.SetVolume(*level);
}

QString TMpris::TrackId() const
{
    if (head_.PlayingFile.isEmpty())
        return kNoTrack;
    if (head_.PlayingFile != taggedFile_) {
        taggedFile_ = head_.PlayingFile;
        tag_ = ReadColumnTexts(taggedFile_);
        ++track_;
    }
    return QStringLiteral("/org/melvanekiro/track/%1").arg(track_);
}

QVariantMap TMpris::Metadata() const
{
    const QString track = TrackId();
    if (head_.PlayingFile.isEmpty())
        return {};
    return MprisMetadata(head_.PlayingFile, tag_, transport_.LengthUs(), track);
}

QVariantMap TMpris::Announced() const
{
    const QString status = transport_.PlaybackStatus();
    const bool open = status != QLatin1String("Stopped");
    const bool canStep = transport_.AnyRowSelected();
    return {
        {QStringLiteral("PlaybackStatus"), status},
        {QStringLiteral("Metadata"), Metadata()},
        {QStringLiteral("Volume"), Volume()},
        {QStringLiteral("CanGoNext"), canStep},
        {QStringLiteral("CanGoPrevious"), canStep},
        {QStringLiteral("CanPlay"), canStep || status == QLatin1String("Paused")},
        {QStringLiteral("CanPause"), canStep || open},
        {QStringLiteral("CanSeek"), open && transport_.LengthUs() > 0},
    };
}

void TMpris::Announce()
{
    const QVariantMap now = Announced();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (announced_.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    announced_ = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal =
        QDBusMessage::createSignal(kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}
