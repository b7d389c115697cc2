#include "TDocumentOpener.h"

#include "DefaultApplication.h"

#include <QDesktopServices>
#include <QUrl>

bool TDocumentOpener::Open(const QByteArray& pathOrUrl)
{
    // The opener starts detached and cannot tell whether anything answered; without a program
    // registered for the document it would fall back to a web browser or fail unseen.
    const QStringList types = HandlerTypes(pathOrUrl);
    KnownApplications::Shared().AskAhead(types);
    const std::optional<QString> application = KnownApplications::Shared().Answer(types);
    if (!application || application->isEmpty())
        return false;
    // A path's bytes are percent-encoded, so a name that is not UTF-8 reaches the opener intact.
    const QByteArray encoded = pathOrUrl.startsWith('/')
                                   ? QByteArrayLiteral("file://") + pathOrUrl.toPercentEncoding("/")
                                   : pathOrUrl;
    return QDesktopServices::openUrl(QUrl::fromEncoded(encoded, QUrl::StrictMode));
}

void TDocumentOpener::Expect(const QByteArray& pathOrUrl)
{
    KnownApplications::Shared().AskAhead(HandlerTypes(pathOrUrl));
}
