#include "tags/OtherTag.h"

#include "tags/DeclaredLatin1.h"
#include "tags/Id3v2Fields.h"

#include <aifffile.h>
#include <apefile.h>
#include <asffile.h>
#include <flacfile.h>
#include <infotag.h>
#include <id3v2framefactory.h>
#include <mp4file.h>
#include <mpcfile.h>
#include <mpegfile.h>
#include <oggflacfile.h>
#include <opusfile.h>
#include <tfilestream.h>
#include <tpropertymap.h>
#include <vorbisfile.h>
#include <wavfile.h>
#include <wavpackfile.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <memory>

#include <QStringDecoder>

using namespace TagLib;

namespace {

enum class Type { None, Mpeg, Flac, Ogg, Opus, Mp4, Ape, Asf, Wav, Aiff, WavPack, Mpc };

Type typeOf(QByteArrayView name)
{
    static constexpr struct {
        const char* extension;
        Type type;
    } kTypes[] = {
        {"mp3", Type::Mpeg}, {"mp2", Type::Mpeg},  {"flac", Type::Flac}, {"ogg", Type::Ogg},
        {"oga", Type::Ogg},  {"opus", Type::Opus}, {"m4a", Type::Mp4},   {"m4b", Type::Mp4},
        {"mp4", Type::Mp4},  {"ape", Type::Ape},   {"wma", Type::Asf},   {"asf", Type::Asf},
        {"wav", Type::Wav},  {"aif", Type::Aiff},  {"aiff", Type::Aiff}, {"wv", Type::WavPack},
        {"mpc", Type::Mpc},
    };
    const qsizetype dot = name.lastIndexOf('.');
    if (dot < 0)
        return Type::None;
    const QByteArrayView extension = name.sliced(dot + 1);
    for (const auto& known : kTypes)
        if (extension.size() == static_cast<qsizetype>(std::strlen(known.extension))
            && qstrnicmp(extension.data(), extension.size(), known.extension, -1) == 0)
            return known.type;
    return Type::None;
}

// RIFF INFO texts name no encoding: UTF-8 where they are valid UTF-8 (TagLib's own reading), else read
// as a text declared ISO-8859-1, which Chinese Windows filled with GBK.
class InfoText final : public RIFF::Info::StringHandler {
public:
    String parse(const ByteVector& data) const override
    {
        QByteArrayView bytes(data.data(), data.size());
        if (const qsizetype end = bytes.indexOf('\0'); end >= 0)
            bytes.truncate(end);
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes);
        return ToTagLib(utf8.hasError() ? DeclaredLatin1Text(bytes) : text);
    }
};

// A stream of the entry that owns its descriptor, or null.
std::unique_ptr<FileStream> openStream(int dirFd, const char* name)
{
    const int fd = ::openat(dirFd, name, O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return nullptr;
    auto stream = std::make_unique<FileStream>(fd, true);
    if (!stream->isOpen()) {
        ::close(fd);
        return nullptr;
    }
    return stream;
}

QString firstValue(const PropertyMap& properties, const char* key)
{
    const auto it = properties.find(key);
    return it == properties.end() || it->second.isEmpty() ? QString() : TrimmedTagText(FromTagLib(it->second.front()));
}

// The file's ID3v2 tag where it has one with a field, else whatever tag its properties come from.
template <class File>
std::optional<TagFieldTexts> textsOf(const File& file, const ID3v2::Tag* id3v2)
{
    if (!file.isValid())
        return std::nullopt;
    TagFieldTexts texts;
    if (id3v2 && !id3v2->isEmpty()) {
        const FieldFrames frames = FieldFramesOf(*id3v2);
        for (std::size_t f = 0; f < frames.size(); ++f)
            if (frames[f])
                texts[f] = FrameText(*frames[f]);
    } else {
        const PropertyMap properties = file.properties();
        texts = {firstValue(properties, "TITLE"), firstValue(properties, "ARTIST"), firstValue(properties, "ALBUM"),
                 firstValue(properties, "DATE"), firstValue(properties, "COMMENT")};
    }
    for (const QString& text : texts)
        if (!text.isEmpty())
            return texts;
    return std::nullopt;
}

template <class File>
std::optional<TagFieldTexts> plain(int dirFd, const char* name)
{
    const auto stream = openStream(dirFd, name);
    if (!stream)
        return std::nullopt;
    const File file(stream.get(), false);
    return textsOf(file, nullptr);
}

std::optional<TagFieldTexts> ogg(int dirFd, const char* name)
{
    // An .ogg file may hold Vorbis, Opus or FLAC; each reader says whether it is its kind.
    if (auto texts = plain<Ogg::Vorbis::File>(dirFd, name))
        return texts;
    if (auto texts = plain<Ogg::Opus::File>(dirFd, name))
        return texts;
    return plain<Ogg::FLAC::File>(dirFd, name);
}

} // namespace

bool IsTaggedType(QByteArrayView name)
{
    return typeOf(name) != Type::None;
}

std::optional<TagFieldTexts> ReadOtherTag(int dirFd, const char* name)
{
    // TagLib keeps one handler for all; it is set once, before any INFO chunk is read.
    static const InfoText infoText;
    [[maybe_unused]] static const bool installed = [] {
        RIFF::Info::Tag::setStringHandler(&infoText);
        return true;
    }();
    switch (typeOf(QByteArrayView(name, static_cast<qsizetype>(std::strlen(name))))) {
    case Type::None:
        return std::nullopt;
    case Type::Mpeg: {
        const auto stream = openStream(dirFd, name);
        if (!stream)
            return std::nullopt;
        MPEG::File file(stream.get(), ID3v2::FrameFactory::instance(), false);
        return textsOf(file, file.hasID3v2Tag() ? file.ID3v2Tag() : nullptr);
    }
    case Type::Flac: {
        const auto stream = openStream(dirFd, name);
        if (!stream)
            return std::nullopt;
        const FLAC::File file(stream.get(), ID3v2::FrameFactory::instance(), false);
        return textsOf(file, nullptr);
    }
    case Type::Ogg:
        return ogg(dirFd, name);
    case Type::Opus:
        return plain<Ogg::Opus::File>(dirFd, name);
    case Type::Mp4:
        return plain<MP4::File>(dirFd, name);
    case Type::Ape:
        return plain<APE::File>(dirFd, name);
    case Type::Asf:
        return plain<ASF::File>(dirFd, name);
    case Type::Wav: {
        const auto stream = openStream(dirFd, name);
        if (!stream)
            return std::nullopt;
        RIFF::WAV::File file(stream.get(), false);
        return textsOf(file, file.hasID3v2Tag() ? file.ID3v2Tag() : nullptr);
    }
    case Type::Aiff: {
        const auto stream = openStream(dirFd, name);
        if (!stream)
            return std::nullopt;
        RIFF::AIFF::File file(stream.get(), false);
        return textsOf(file, file.hasID3v2Tag() ? file.tag() : nullptr);
    }
    case Type::WavPack:
        return plain<WavPack::File>(dirFd, name);
    case Type::Mpc:
        return plain<MPC::File>(dirFd, name);
    }
    return std::nullopt;
}
