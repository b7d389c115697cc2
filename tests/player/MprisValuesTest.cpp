#include "player/MprisValues.h"
#include "tags/ColumnTexts.h"

#include <gtest/gtest.h>

#include <QDBusObjectPath>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

std::optional<TagFieldTexts> Tagged(const char* title, const char* artist, const char* album)
{
    ID3v1Tag tag{};
    ClearID3Tag(tag);
    std::memcpy(tag.Title, title, std::strlen(title));
    std::memcpy(tag.Artist, artist, std::strlen(artist));
    std::memcpy(tag.Album, album, std::strlen(album));
    return ID3v1Texts(tag);
}

TEST(MprisValuesTest, StatusFollowsWhicheverPlayerHoldsTheFile)
{
    EXPECT_EQ(MprisPlaybackStatus(1, MediaMode::NotOpen), "Playing");
    EXPECT_EQ(MprisPlaybackStatus(2, MediaMode::NotOpen), "Paused");
    EXPECT_EQ(MprisPlaybackStatus(0, MediaMode::Playing), "Playing");
    EXPECT_EQ(MprisPlaybackStatus(0, MediaMode::Paused), "Paused");
    EXPECT_EQ(MprisPlaybackStatus(0, MediaMode::Stopped), "Stopped");  // played to its end
    EXPECT_EQ(MprisPlaybackStatus(0, MediaMode::NotOpen), "Stopped");
}

TEST(MprisValuesTest, MetadataDecodesTheGbkTagAndTheUrlKeepsThePathBytes)
{
    const QByteArray path = "/m/\xd2\xf4 x.mp3";  // "音" in GBK, not UTF-8
    const QVariantMap map = MprisMetadata(path, Tagged("\xd2\xf4\xc0\xd6", "\xb8\xe8\xca\xd6", "\xd7\xa8\xbc\xad"),
                                          3000000, QStringLiteral("/org/melvanekiro/track/1"));
    EXPECT_EQ(map.value("xesam:title").toString(), QStringLiteral("音乐"));
    EXPECT_EQ(map.value("xesam:artist").toStringList(), QStringList{QStringLiteral("歌手")});
    EXPECT_EQ(map.value("xesam:album").toString(), QStringLiteral("专辑"));
    EXPECT_EQ(map.value("xesam:url").toString(), "file:///m/%D2%F4%20x.mp3");
    EXPECT_EQ(map.value("mpris:length").toLongLong(), 3000000);
    EXPECT_EQ(map.value("mpris:trackid").value<QDBusObjectPath>().path(), "/org/melvanekiro/track/1");
}

TEST(MprisValuesTest, WithoutATitleTheFileNameIsTheTitle)
{
    const QString name = QStringLiteral("音乐.flac");
    EXPECT_EQ(MprisMetadata("/m/" + name.toUtf8(), std::nullopt, 0, QStringLiteral("/t/1")).value("xesam:title"), name);
    const QVariantMap untitled = MprisMetadata("/m/a.mp3", Tagged("", "\xb8\xe8\xca\xd6", ""), 0, QStringLiteral("/t/1"));
    EXPECT_EQ(untitled.value("xesam:title").toString(), "a.mp3");
    EXPECT_FALSE(untitled.contains("xesam:album"));
}

TEST(MprisValuesTest, BarUnitsAndMicrosecondsConvertBothWays)
{
    // 100 MP3 frames over 2612 ms; a media file's bar counts milliseconds.
    EXPECT_EQ(BarToUs(50, 100, 2612), 1306000);
    EXPECT_EQ(UsToBar(1306000, 100, 2612), 50);
    EXPECT_EQ(BarToUs(1500, 3000, 3000), 1500000);
    EXPECT_EQ(UsToBar(1500000, 3000, 3000), 1500);
    EXPECT_EQ(BarToUs(5, 0, 0), 0);
    EXPECT_EQ(UsToBar(5, 0, 0), 0);
}

TEST(MprisValuesTest, InputOutOfRangeNeitherWrapsNorTakesEffect)
{
    EXPECT_EQ(MprisSeekTarget(1000000, 3000000, 500000), 1500000);
    EXPECT_EQ(MprisSeekTarget(1000000, 3000000, -5000000), 0);
    EXPECT_EQ(MprisSeekTarget(1000000, 3000000, 2000000), 3000000);
    EXPECT_EQ(MprisSeekTarget(1000000, 3000000, 2000001), std::nullopt);
    EXPECT_EQ(MprisSeekTarget(1000000, 3000000, INT64_MAX), std::nullopt);  // past the end, not before the start
    EXPECT_EQ(MprisSeekTarget(1000000, 3000000, INT64_MIN), 0);

    EXPECT_EQ(MprisVolumeLevel(0.5), 128);
    EXPECT_EQ(MprisVolumeLevel(7.0), 255);
    EXPECT_EQ(MprisVolumeLevel(-1.0), 0);
    EXPECT_EQ(MprisVolumeLevel(std::nan("")), std::nullopt);

    EXPECT_EQ(MprisUriPath(QStringLiteral("file:///m/%C7%E9%B8%E8.mp3")), QByteArray("/m/\xc7\xe9\xb8\xe8.mp3"));
    EXPECT_EQ(MprisUriPath(QStringLiteral("file://localhost/m/a%20b.mp3")), QByteArray("/m/a b.mp3"));
    for (const char* other : {"http://example.org/a.mp3", "file://elsewhere/a.mp3", "/m/a.mp3", "file:a.mp3", ""})
        EXPECT_TRUE(MprisUriPath(QString::fromLatin1(other)).isEmpty()) << other;
}

} // namespace
