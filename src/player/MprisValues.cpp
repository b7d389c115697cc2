#include "MprisValues.h"

#include "tags/NameText.h"

#include <QDBusObjectPath>
#include <QStringList>

#include <cmath>

QString MprisPlaybackStatus(int mp3State, MediaMode mediaMode)
{
    if (mp3State == 1 || mediaMode == MediaMode::Playing)
        return QStringLiteral("Playing");
    if (mp3State == 2 || mediaMode == MediaMode::Paused)
        return QStringLiteral("Paused");
    return QStringLiteral("Stopped");
}

QVariantMap MprisMetadata(const QByteArray& path, const ID3v1Tag& tag, int64_t lengthUs, const QString& trackId)
{
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackId)));
    map.insert(QStringLiteral("mpris:length"), static_cast<qlonglong>(lengthUs));
    // Unreserved bytes and "/" stay, every other byte is %XX: names that are not UTF-8 survive.
    map.insert(QStringLiteral("xesam:url"), QString::fromLatin1("file://" + path.toPercentEncoding("/")));
    const bool tagged = HasTagHeader(tag);
    const QString title = tagged ? FieldText(tag.Title) : QString();
    map.insert(QStringLiteral("xesam:title"),
               title.isEmpty() ? DisplayName(QByteArrayView(path).sliced(path.lastIndexOf('/') + 1)) : title);
    if (!tagged)
        return map;
    if (const QString artist = FieldText(tag.Artist); !artist.isEmpty())
        map.insert(QStringLiteral("xesam:artist"), QStringList{artist});
    if (const QString album = FieldText(tag.Album); !album.isEmpty())
        map.insert(QStringLiteral("xesam:album"), album);
    return map;
}

int64_t BarToUs(int64_t value, int64_t barUnits, int64_t lengthMs)
{
    if (barUnits <= 0)
        return 0;
    return std::llround(static_cast<double>(value) * static_cast<double>(lengthMs) * 1000.0 / static_cast<double>(barUnits));
}

int64_t UsToBar(int64_t us, int64_t barUnits, int64_t lengthMs)
{
    if (lengthMs <= 0)
        return 0;
    return std::llround(static_cast<double>(us) * static_cast<double>(barUnits) / (static_cast<double>(lengthMs) * 1000.0));
}
