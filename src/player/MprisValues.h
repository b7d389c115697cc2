#pragma once

#include "TMediaPlayer.h"
#include "tags/OtherTag.h"

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <optional>

// What the desktop's sound menu and media keys (MPRIS2) are told, worked out from the players.

// "Playing", "Paused" or "Stopped" from the MP3 player's state (1 playing, 2 paused) and the media
// player's mode; a media file that has played to its end is stopped.
QString MprisPlaybackStatus(int mp3State, MediaMode mediaMode);

// The metadata of the file that plays: title, artist and album as its tag columns show them, the
// file's name where the tag gives no title, the length in microseconds, the track id, and the file's
// URL made from the path's bytes.
QVariantMap MprisMetadata(const QByteArray& path, const std::optional<TagFieldTexts>& tag, int64_t lengthUs,
                          const QString& trackId);

// The progress bar's units (MP3 frames, else milliseconds) to microseconds and back, for a bar of
// barUnits units that spans lengthMs.
int64_t BarToUs(int64_t value, int64_t barUnits, int64_t lengthMs);
int64_t UsToBar(int64_t us, int64_t barUnits, int64_t lengthMs);

// Where Seek by offsetUs goes from positionUs in a file of lengthUs: at least 0; none past the end,
// however large the offset.
std::optional<int64_t> MprisSeekTarget(int64_t positionUs, int64_t lengthUs, int64_t offsetUs);

// The bar's level (0 to 255) for an MPRIS volume; none for a value that is no number.
std::optional<int> MprisVolumeLevel(double volume);

// The bytes of the path of a local file:// URI (percent-encoded bytes decoded); empty for any other.
QByteArray MprisUriPath(const QString& uri);
