#pragma once

#include "player/MprisValues.h"

#include <QDBusObjectPath>
#include <QObject>
#include <QTimer>
#include <QVariantMap>

#include <functional>

struct THead;
class TMainVolume;
class TTransport;

// The program on the session bus as an MPRIS2 media player, so that media keys and the desktop's
// sound menu drive the transport through its own handlers. Without a session bus, or with the name
// taken, nothing is registered and nothing is said.
class TMpris final : public QObject {
    Q_OBJECT

public:
    struct Window {
        std::function<void()> raise;
        std::function<void()> quit;
        // Shows a file's folder, selects it and plays it, as the command line does.
        std::function<void(const QByteArray& path)> open;
    };

    TMpris(const THead& head, TTransport& transport, TMainVolume& volume, Window window, QObject* parent = nullptr);
    ~TMpris() override;

    bool Registered() const { return registered_; }

    void Raise() { window_.raise(); }
    void Quit() { window_.quit(); }

    void PlayPause();
    void Play();
    void Pause();
    void Stop();
    void Next();
    void Previous();
    void Seek(qlonglong offsetUs);
    void SetPosition(const QDBusObjectPath& track, qlonglong positionUs);
    void OpenUri(const QString& uri);

    qlonglong Position() const;
    double Volume() const;
    void SetVolume(double volume);
    // The properties announced with PropertiesChanged, by name.
    QVariantMap Announced() const;

signals:
    void Seeked(qlonglong positionUs);

private:
    QVariantMap Metadata() const;
    QString TrackId() const;
    // Tells the bus which announced properties differ from what it was told last.
    void Announce();

    const THead& head_;
    TTransport& transport_;
    TMainVolume& volume_;
    Window window_;
    bool registered_ = false;
    QTimer announce_;
    QVariantMap announced_;
    // The tag of the file that plays, read once per file.
    mutable QByteArray taggedFile_;
    mutable std::optional<TagFieldTexts> tag_;
    mutable int track_ = 0;
};
