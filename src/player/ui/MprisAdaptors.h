#pragma once

#include "TMpris.h"

#include <QDBusAbstractAdaptor>
#include <QStringList>

// The two MPRIS2 interfaces of TMpris on /org/mpris/MediaPlayer2; each call goes to TMpris.

class TMprisRoot final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)

public:
    explicit TMprisRoot(TMpris* mpris) : QDBusAbstractAdaptor(mpris), mpris_(*mpris) {}

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const { return QStringLiteral("MelvaneKIRO"); }
    QString DesktopEntry() const { return QStringLiteral("melvanekiro"); }
    QStringList SupportedUriSchemes() const { return {QStringLiteral("file")}; }
    QStringList SupportedMimeTypes() const;

public slots:
    void Raise() { mpris_.Raise(); }
    void Quit() { mpris_.Quit(); }

private:
    TMpris& mpris_;
};

class TMprisPlayer final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(bool CanGoNext READ CanGoNext)
    Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
    Q_PROPERTY(bool CanPlay READ CanPlay)
    Q_PROPERTY(bool CanPause READ CanPause)
    Q_PROPERTY(bool CanSeek READ CanSeek)
    Q_PROPERTY(bool CanControl READ CanControl)

public:
    explicit TMprisPlayer(TMpris* mpris);

    QString PlaybackStatus() const { return Value("PlaybackStatus").toString(); }
    double Rate() const { return 1.0; }
    QVariantMap Metadata() const { return Value("Metadata").toMap(); }
    double Volume() const { return mpris_.Volume(); }
    void SetVolume(double volume) { mpris_.SetVolume(volume); }
    qlonglong Position() const { return mpris_.Position(); }
    bool CanGoNext() const { return Value("CanGoNext").toBool(); }
    bool CanGoPrevious() const { return Value("CanGoPrevious").toBool(); }
    bool CanPlay() const { return Value("CanPlay").toBool(); }
    bool CanPause() const { return Value("CanPause").toBool(); }
    bool CanSeek() const { return Value("CanSeek").toBool(); }
    bool CanControl() const { return true; }

public slots:
    void PlayPause() { mpris_.PlayPause(); }
    void Play() { mpris_.Play(); }
    void Pause() { mpris_.Pause(); }
    void Stop() { mpris_.Stop(); }
    void Next() { mpris_.Next(); }
    void Previous() { mpris_.Previous(); }
    void Seek(qlonglong Offset) { mpris_.Seek(Offset); }
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) { mpris_.SetPosition(TrackId, Position); }
    void OpenUri(const QString& Uri) { mpris_.OpenUri(Uri); }

signals:
    void Seeked(qlonglong Position);

private:
    QVariant Value(const char* name) const { return mpris_.Announced().value(QLatin1String(name)); }

    TMpris& mpris_;
};
