#include "MprisAdaptors.h"

// The types the players take, as the desktop entry names them.
QStringList TMprisRoot::SupportedMimeTypes() const
{
    return {QStringLiteral("audio/mpeg"),      QStringLiteral("audio/midi"),        QStringLiteral("audio/x-midi"),
            QStringLiteral("audio/x-wav"),     QStringLiteral("audio/wav"),         QStringLiteral("audio/x-ms-wma"),
            QStringLiteral("audio/flac"),      QStringLiteral("audio/x-flac"),      QStringLiteral("audio/ogg"),
            QStringLiteral("audio/x-vorbis+ogg"), QStringLiteral("audio/x-opus+ogg"), QStringLiteral("audio/mp4"),
            QStringLiteral("audio/x-m4a"),     QStringLiteral("audio/x-ape")};
}

TMprisPlayer::TMprisPlayer(TMpris* mpris) : QDBusAbstractAdaptor(mpris), mpris_(*mpris)
{
    // TMpris's Seeked goes out as this interface's signal.
    setAutoRelaySignals(true);
}
