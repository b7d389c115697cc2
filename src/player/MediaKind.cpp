#include "MediaKind.h"

#include "NativeFile.h"

MediaKind MediaKindOf(const QByteArray& file)
{
    const QByteArray ext = LowerExtension(file);
    if (ext == ".mp3")
        return MediaKind::Mp3;
    if (ext == ".mid")
        return MediaKind::Midi;
    for (const char* known : {".wav", ".wma", ".flac", ".ogg", ".oga", ".opus", ".m4a", ".ape"}) {
        if (ext == known)
            return MediaKind::Ffmpeg;
    }
    return MediaKind::None;
}
