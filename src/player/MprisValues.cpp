#include "MprisValues.h"

#include "tags/NameText.h"

#include <QDBusObjectPath>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <cmath>

QString MprisPlaybackStatus(int mp3State, MediaMode mediaMode)
{
    if (mp3State == 1 || mediaMode == MediaMode::Playing)
        return QStringLiteral("Playing");
    if (mp3State == 2 || mediaMode == MediaMode::Paused)
        return QStringLiteral("Paused");
    return QStringLiteral("Stopped");
}

QVariantMap MprisMetadata(const QByteArray& path, const std::optional<TagFieldTexts>& tag, int64_t lengthUs,
                          const QString& trackId)
{
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackId)));
    map.insert(QStringLiteral("mpris:length"), static_cast<qlonglong>(lengthUs));
    // Unreserved bytes and "/" stay, every other byte is %XX: names that are not UTF-8 survive.
    map.insert(QStringLiteral("xesam:url"), QString::fromLatin1("file://" + path.toPercentEncoding("/")));
    const QString title = tag ? (*tag)[0] : QString();
    map.insert(QStringLiteral("xesam:title"),
               title.isEmpty() ? DisplayName(QByteArrayView(path).sliced(path.lastIndexOf('/') + 1)) : title);
    if (!tag)
        return map;
    if (const QString& artist = (*tag)[1]; !artist.isEmpty())
        map.insert(QStringLiteral("xesam:artist"), QStringList{artist});
    if (const QString& album = (*tag)[2]; !album.isEmpty())
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

std::optional<int64_t> MprisSeekTarget(int64_t positionUs, int64_t lengthUs, int64_t offsetUs)
{
    // Compared before adding, so that no offset overflows.
    if (offsetUs > lengthUs - positionUs)
        return std::nullopt;
    return std::max<int64_t>(0, positionUs + offsetUs);
}

std::optional<int> MprisVolumeLevel(double volume)
{
    if (std::isnan(volume))
        return std::nullopt;
    return static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * 255.0));
}

QByteArray MprisUriPath(const QString& uri)
{
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("file")
        || !(url.host().isEmpty() || url.host() == QLatin1String("localhost")))
        return {};
    const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return path.startsWith('/') ? path : QByteArray();
}
