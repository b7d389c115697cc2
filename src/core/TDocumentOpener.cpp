#include "TDocumentOpener.h"

#include "DefaultApplication.h"

#include <QDesktopServices>
#include <QUrl>

bool TDocumentOpener::Open(const QByteArray& pathOrUrl)
{
    // The opener starts detached and cannot tell whether anything answered; without a program
    // registered for the document it would fall back to a web browser or fail unseen.
    if (DefaultApplication(HandlerTypes(pathOrUrl)).isEmpty())
        return false;
    // A path's bytes are percent-encoded, so a name that is not UTF-8 reaches the opener intact.
    const QByteArray encoded = pathOrUrl.startsWith('/')
                                   ? QByteArrayLiteral("file://") + pathOrUrl.toPercentEncoding("/")
                                   : pathOrUrl;
    return QDesktopServices::openUrl(QUrl::fromEncoded(encoded, QUrl::StrictMode));
}
