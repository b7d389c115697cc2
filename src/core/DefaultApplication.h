#pragma once

#include <QByteArray>
#include <QString>
#include <QHash>
#include <QStringList>

#include <mutex>
#include <optional>

// The MIME types whose default application would open a file's bytes or a URL such as "mailto:...":
// the file's own type, its aliases and parents, or the URL scheme's handler type.
QStringList HandlerTypes(const QByteArray& pathOrUrl);

// The desktop entry the desktop opens the first of these types with, as `xdg-mime` answers;
// empty when none is registered or xdg-mime is missing.
QString DefaultApplication(const QStringList& mimeTypes);

// The answers of DefaultApplication, asked on a worker thread and kept for the run: where no
// session bus answers, each xdg-mime query takes about a second, which the window's thread
// never waits for.
class KnownApplications {
public:
    static KnownApplications& Shared();
    // Starts asking for these types on a worker, unless they were asked for already.
    void AskAhead(const QStringList& mimeTypes);
    // The answer once it has come: the desktop entry, or empty when none is registered.
    std::optional<QString> Answer(const QStringList& mimeTypes) const;

private:
    mutable std::mutex mutex_;
    // By the types, one a line; no answer while it is asked for.
    QHash<QString, std::optional<QString>> answers_;
};
