#pragma once

#include <QByteArray>

// Which player takes a file, by its name's extension. FFmpeg then lets the content choose the
// decoder, since downloaded files are often misnamed.
enum class MediaKind { None, Mp3, Midi, Ffmpeg };

MediaKind MediaKindOf(const QByteArray& file);
