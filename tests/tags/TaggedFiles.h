#pragma once

// Tagged copies of the small untagged recordings in tests/fixtures/tags, written with TagLib.
#include "support/TempFolder.h"
#include "tags/ID3v1Tag.h"

#include <gtest/gtest.h>

#include <attachedpictureframe.h>
#include <fileref.h>
#include <id3v2tag.h>
#include <infotag.h>
#include <mpegfile.h>
#include <commentsframe.h>
#include <textidentificationframe.h>
#include <unsynchronizedlyricsframe.h>
#include <tpropertymap.h>
#include <wavfile.h>

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

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
    const char* id; // TIT2, TPE1, TALB, TDRC, COMM; APIC (the text is the picture in hex), USLT
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
        if (std::strcmp(f.id, "APIC") == 0) {
            auto* picture = new TagLib::ID3v2::AttachedPictureFrame;
            picture->setMimeType("image/png");
            const QByteArray bytes = QByteArray::fromHex(QByteArray::fromStdString(f.text.to8Bit()));
            picture->setPicture(TagLib::ByteVector(bytes.constData(), static_cast<unsigned>(bytes.size())));
            tag->addFrame(picture);
        } else if (std::strcmp(f.id, "USLT") == 0) {
            auto* lyrics = new TagLib::ID3v2::UnsynchronizedLyricsFrame(f.encoding);
            lyrics->setText(f.text);
            tag->addFrame(lyrics);
        } else if (std::strcmp(f.id, "COMM") == 0) {
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

// What python3-mutagen, a reader independent of TagLib, finds in an MP3 file's ID3v2 tag: "version",
// "size" (the tag's bytes with header and padding), "TIT2" ... "COMM" as "<encoding>:<text>"
// (3 is UTF-8, 0 ISO-8859-1), "APIC" as the picture's bytes in hex, "USLT" as the lyrics.
inline QMap<QString, QString> Mutagen(const QByteArray& path)
{
    static const char* const kScript = R"(
import sys, mutagen.id3
t = mutagen.id3.ID3(sys.argv[1].encode('utf-8', 'surrogateescape'))
print('version=%d.%d' % t.version[:2])
print('size=%d' % t.size)
for k in ('TIT2', 'TPE1', 'TALB', 'TDRC'):
    if k in t:
        print('%s=%d:%s' % (k, t[k].encoding, t[k].text[0]))
for f in t.getall('COMM'):
    print('COMM=%d:%s' % (f.encoding, f.text[0]))
for f in t.getall('APIC'):
    print('APIC=%s' % f.data.hex())
for f in t.getall('USLT'):
    print('USLT=%s' % f.text)
)";
    QProcess python;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PYTHONIOENCODING"), QStringLiteral("utf-8"));
    python.setProcessEnvironment(env);
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QString::fromUtf8(kScript), QString::fromLocal8Bit(path)});
    python.waitForFinished(30000);
    QMap<QString, QString> found;
    for (const QString& line : QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype eq = line.indexOf(u'=');
        found.insert(line.left(eq), line.mid(eq + 1));
    }
    if (found.isEmpty())
        ADD_FAILURE() << "mutagen: " << python.readAllStandardError().constData();
    return found;
}

} // namespace tagged
