#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// The tags of files that have no ID3v1 tag, read with TagLib for the five tag columns: ID3v2, APEv2,
// Vorbis comments, MP4 atoms, ASF and RIFF INFO.

// Title, artist, album, year, comment.
using TagFieldTexts = std::array<QString, 5>;

// The name's extension is one whose tags TagLib reads (without case): MP3, FLAC, Ogg, Opus, M4A, APE,
// WMA, WAV, AIFF, WavPack, Musepack.
bool IsTaggedType(QByteArrayView name);

// The five texts, trimmed of blanks and control characters, of the entry `name` of an open folder:
// from its ID3v2 tag where it has one (a field declared ISO-8859-1 through DeclaredLatin1Text), else
// from its other tag. None when it cannot be read, is not what its extension says, or has no tag.
// Reads the tags only, never the audio properties.
std::optional<TagFieldTexts> ReadOtherTag(int dirFd, const char* name);
