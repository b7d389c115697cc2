#pragma once

// Tagged copies of the small untagged recordings in tests/fixtures/tags, written with TagLib.
#include "support/TempFolder.h"
#include "tags/ID3v1Tag.h"

#include <fileref.h>
#include <id3v2tag.h>
#include <infotag.h>
#include <mpegfile.h>
#include <commentsframe.h>
#include <textidentificationframe.h>
#include <tpropertymap.h>
#include <wavfile.h>

#include <QString>

#include <cstring>
#include <initializer_list>

namespace tagged {

inline const QByteArray kGbkTitle("\xB9\xE2\xBB\xD4\xCB\xEA\xD4\xC2", 8);  // 光辉岁月
inline const QByteArray kGbkArtist("\xB1\xCB\xB4\xE7", 4);                   // 彼寸 (any two ideographs)

inline TagLib::String Text(const QString& text) { return TagLib::String(text.toStdString(), TagLib::String::UTF8); }
// Bytes the frame declares ISO-8859-1, whatever they are.
inline TagLib::String Raw(const QByteArray& bytes)
{
    return TagLib::String(TagLib::ByteVector(bytes.constData(), static_cast<unsigned>(bytes.size())),
                          TagLib::String::Latin1);
}

struct Frame {
    const char* id; // TIT2, TPE1, TALB, TDRC or COMM
    TagLib::String::Type encoding;
    TagLib::String text;
};

// A copy of tests/fixtures/tags/<fixture> at `relative`; returns its path.
inline QByteArray Copy(const TempFolder& dir, const char* fixture, const QByteArray& relative)
{
    return dir.MakeFile(relative, TempFolder::ReadBytes(QByteArray(MELVANE_FIXTURES "/tags/") + fixture));
}

// Gives an MP3 file an ID3v2 tag of the given version holding these frames.
inline void WriteId3v2(const QByteArray& path, int version, std::initializer_list<Frame> frames)
{
    TagLib::MPEG::File file(path.constData(), false);
    TagLib::ID3v2::Tag* tag = file.ID3v2Tag(true);
    for (const Frame& f : frames) {
        if (std::strcmp(f.id, "COMM") == 0) {
            auto* comment = new TagLib::ID3v2::CommentsFrame(f.encoding);
            comment->setLanguage("chi");
            comment->setText(f.text);
            tag->addFrame(comment);
        } else {
            auto* text = new TagLib::ID3v2::TextIdentificationFrame(f.id, f.encoding);
            text->setText(f.text);
            tag->addFrame(text);
        }
    }
    file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripNone,
              version == 3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4, TagLib::File::DoNotDuplicate);
}

// Appends an ID3v1 tag of GBK texts.
inline void AppendId3v1(const QByteArray& path, const QByteArray& title, const QByteArray& artist)
{
    ID3v1Tag tag {};
    ClearID3Tag(tag);
    std::memcpy(tag.Title, title.constData(), static_cast<std::size_t>(title.size()));
    std::memcpy(tag.Artist, artist.constData(), static_cast<std::size_t>(artist.size()));
    TempFolder::WriteBytes(path, TempFolder::ReadBytes(path) + QByteArray(reinterpret_cast<const char*>(&tag), 128));
}

// FLAC, Ogg, M4A: the format's own tag, through TagLib's properties.
inline void WriteProperties(const QByteArray& path, const QString& title, const QString& artist, const QString& album)
{
    TagLib::FileRef file(path.constData(), false);
    TagLib::PropertyMap properties = file.file()->properties();
    properties.replace("TITLE", Text(title));
    properties.replace("ARTIST", Text(artist));
    properties.replace("ALBUM", Text(album));
    file.file()->setProperties(properties);
    file.save();
}

// A WAV file's RIFF INFO chunk only.
inline void WriteWavInfo(const QByteArray& path, const QString& title, const QString& artist)
{
    TagLib::RIFF::WAV::File file(path.constData(), false);
    file.InfoTag()->setTitle(Text(title));
    file.InfoTag()->setArtist(Text(artist));
    file.save(TagLib::RIFF::WAV::File::Info);
}

} // namespace tagged
